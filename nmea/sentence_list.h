// Every sentence the parser decodes: VELTROSA_SENTENCE(kind, id), kind being
// Standard or Proprietary. A sentence is added by writing its handler
// void Handle<id>(TSentenceContext& Ctx) in a file of its own under
// nmea/sentences/ and one line here. No include guard: each user defines
// VELTROSA_SENTENCE and includes this list.

// Proprietary replies of the module and of GPS receivers.
VELTROSA_SENTENCE(Proprietary, ARLIHS)
VELTROSA_SENTENCE(Proprietary, ARLARC)
VELTROSA_SENTENCE(Proprietary, GRMM)
VELTROSA_SENTENCE(Proprietary, GRME)
VELTROSA_SENTENCE(Proprietary, GRMT)
VELTROSA_SENTENCE(Proprietary, MTK590)

// Time.
VELTROSA_SENTENCE(Standard, ZDA)
