#include <mutex>
#include <utility>

#include "nmea/nmea2000/gateway_transport.h"
#include "nmea/serial/serial_transport.h"

namespace nmea {
namespace {

std::mutex g_factoryMutex;
SerialTransportFactory g_serialFactory;
GatewayTransportFactory g_gatewayFactory;

}  // namespace

std::unique_ptr<ISerialTransport> CreateSerialTransport() {
  SerialTransportFactory factory;
  {
    std::lock_guard lock(g_factoryMutex);
    factory = g_serialFactory;
  }
  return factory ? factory() : MakeDefaultSerialTransport();
}

void SetSerialTransportFactory(SerialTransportFactory Factory) {
  std::lock_guard lock(g_factoryMutex);
  g_serialFactory = std::move(Factory);
}

std::unique_ptr<IGatewayTransport> CreateGatewayTransport() {
  GatewayTransportFactory factory;
  {
    std::lock_guard lock(g_factoryMutex);
    factory = g_gatewayFactory;
  }
  return factory ? factory() : MakeDefaultGatewayTransport();
}

void SetGatewayTransportFactory(GatewayTransportFactory Factory) {
  std::lock_guard lock(g_factoryMutex);
  g_gatewayFactory = std::move(Factory);
}

}  // namespace nmea
