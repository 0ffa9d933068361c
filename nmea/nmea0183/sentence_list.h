// Every sentence the parser decodes: VELTROSA_SENTENCE(kind, id), kind being
// Standard or Proprietary. The handler void Handle<id>(TSentenceContext& Ctx)
// of each lives in nmea/nmea0183/sentences/, in the file of its subject that
// its group below names, and opens with its sentence's field layout. A
// sentence is added by writing its handler in the file of its subject and
// one line here. No include guard: each user defines VELTROSA_SENTENCE and
// includes this list.

// Proprietary replies of the module (identification.cpp,
// calibration_table.cpp) and of GPS receivers (receiver_proprietary.cpp).
VELTROSA_SENTENCE(Proprietary, ARLIHS)
VELTROSA_SENTENCE(Proprietary, ARLARC)
VELTROSA_SENTENCE(Proprietary, GRMM)
VELTROSA_SENTENCE(Proprietary, GRME)
VELTROSA_SENTENCE(Proprietary, GRMT)
VELTROSA_SENTENCE(Proprietary, MTK590)

// Time (zda.cpp).
VELTROSA_SENTENCE(Standard, ZDA)

// Depth (depth.cpp), water speed and distance (water_speed.cpp),
// temperature and meteorology (environment.cpp), transducers
// (transducers.cpp).
VELTROSA_SENTENCE(Standard, DBT)
VELTROSA_SENTENCE(Standard, DPT)
VELTROSA_SENTENCE(Standard, VHW)
VELTROSA_SENTENCE(Standard, VLW)
VELTROSA_SENTENCE(Standard, VPW)
VELTROSA_SENTENCE(Standard, MTW)
VELTROSA_SENTENCE(Standard, MTA)
VELTROSA_SENTENCE(Standard, MDA)
VELTROSA_SENTENCE(Standard, XDR)

// Position and fix (position.cpp, with the shared position fields in
// position_fields.*), satellites and datum (satellites.cpp), route and
// waypoints (route.cpp).
VELTROSA_SENTENCE(Standard, GGA)
VELTROSA_SENTENCE(Standard, GLL)
VELTROSA_SENTENCE(Standard, RMC)
VELTROSA_SENTENCE(Standard, VTG)
VELTROSA_SENTENCE(Standard, GSA)
VELTROSA_SENTENCE(Standard, GSV)
VELTROSA_SENTENCE(Standard, DTM)
VELTROSA_SENTENCE(Standard, RMB)
VELTROSA_SENTENCE(Standard, WPL)

// Heading and attitude (heading.cpp), wind (wind.cpp), the closure velocity
// to a waypoint (route.cpp), the barometer (environment.cpp), engine and
// rudder (engine_rudder.cpp), alarms (alarm.cpp).
VELTROSA_SENTENCE(Standard, HDG)
VELTROSA_SENTENCE(Standard, HDM)
VELTROSA_SENTENCE(Standard, HDT)
VELTROSA_SENTENCE(Standard, ROT)
VELTROSA_SENTENCE(Standard, HPR)
VELTROSA_SENTENCE(Standard, MWV)
VELTROSA_SENTENCE(Standard, MWD)
VELTROSA_SENTENCE(Standard, VWR)
VELTROSA_SENTENCE(Standard, VWT)
VELTROSA_SENTENCE(Standard, WCV)
VELTROSA_SENTENCE(Standard, MMB)
VELTROSA_SENTENCE(Standard, RPM)
VELTROSA_SENTENCE(Standard, RSA)
VELTROSA_SENTENCE(Standard, RSD)
VELTROSA_SENTENCE(Standard, ALR)
