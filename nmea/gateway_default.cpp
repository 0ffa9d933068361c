#include "nmea/gateway_transport.h"

namespace nmea {

// No gateway link is linked in yet: a gateway link cannot open.
std::unique_ptr<IGatewayTransport> MakeDefaultGatewayTransport() { return nullptr; }

}  // namespace nmea
