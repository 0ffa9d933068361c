#include "nmea/nmea2000/gateway_link.h"

#include <utility>

#include "platform/core/os/modules.h"

namespace nmea {
namespace {

constexpr std::int32_t kGatewayBaud = 115200;

constexpr std::array<const char*, 14> kEntryNames = {"ZCommsCreate",         "ZCommsDestroy",
                                                     "ZCommsDestroyAll",     "ZCommsOpen",
                                                     "ZCommsClose",          "ZCommsN2K_FlushRx",
                                                     "ZCommsN2K_FlushTx",    "ZCommsBIN_FlushRx",
                                                     "ZCommsBIN_FlushTx",    "ZCommsN2K_SetRxCallback",
                                                     "ZCommsN2K_Write",      "ZCommsN2K_Read",
                                                     "ZCommsN2K_GetRxQSize", "ZCommsCommand_GetTotalTime"};

using CreateFn = std::int32_t (*)(std::int32_t* Handle);
using DestroyAllFn = std::int32_t (*)();
using OpenFn = std::int32_t (*)(std::int32_t Handle, std::int32_t Port, std::int32_t Baud);
using HandleFn = std::int32_t (*)(std::int32_t Handle);

std::string ProgramFolder() {
  std::string folder = platform::ProgramFileName();
  if (folder.empty()) return "./";
  folder.erase(folder.rfind('/') + 1);
  return folder;
}

}  // namespace

TZeruzivizCom::TZeruzivizCom() : TZeruzivizCom(ProgramFolder()) {}

TZeruzivizCom::TZeruzivizCom(std::string LibraryFolder) : libraryFolder_(std::move(LibraryFolder)) {
  ClearEntryPoints();
}

TZeruzivizCom::~TZeruzivizCom() {
  Shutdown();
  ClearEntryPoints();
  OnStatus = nullptr;
  module_.Close();
}

void TZeruzivizCom::ClearEntryPoints() {
  entries_.fill(nullptr);
  connected_ = false;
  port_ = 0;
  baud_ = kGatewayBaud;
}

bool TZeruzivizCom::LoadLibrary() { return LoadDll(); }

bool TZeruzivizCom::LoadDll() {
  try {
    if (!module_.Open(libraryFolder_ + kGatewayLibraryName)) return false;
    for (std::size_t i = 0; i < kEntryCount; ++i) {
      entries_[i] = module_.Symbol(kEntryNames[i]);
      if (!entries_[i]) return false;
    }
    return true;
  } catch (...) {
    entries_.fill(nullptr);
    module_.Close();
    return false;
  }
}

bool TZeruzivizCom::Open(int Port) {
  if (Port <= 0) return false;
  if (Port != port_ && port_ > 0) Close();
  if (connected_ && Port == port_) {
    FlushAll();
    return true;
  }
  try {
    if (!entries_[kCreate]) return false;
    if (handle_ == 0) {
      if (reinterpret_cast<CreateFn>(entries_[kCreate])(&handle_) != 0 || handle_ == 0) return false;
    }
    if (!entries_[kOpen]) return false;
    if (reinterpret_cast<OpenFn>(entries_[kOpen])(handle_, Port, kGatewayBaud) != 0) return false;
  } catch (...) {
    return false;
  }
  port_ = Port;
  baud_ = kGatewayBaud;
  connected_ = true;
  FlushAll();
  return true;
}

void TZeruzivizCom::CallWithHandle(Entry Point) {
  if (!entries_[Point] || !HandleValid()) return;
  try {
    reinterpret_cast<HandleFn>(entries_[Point])(handle_);
  } catch (...) {
  }
}

void TZeruzivizCom::Close() {
  CallWithHandle(kClose);
  connected_ = false;
  port_ = 0;
}

void TZeruzivizCom::Pause() {
  CallWithHandle(kClose);
  connected_ = false;
}

void TZeruzivizCom::Resume() {
  if (!entries_[kOpen] || !HandleValid() || port_ <= 0) return;
  try {
    if (reinterpret_cast<OpenFn>(entries_[kOpen])(handle_, port_, baud_) != 0) return;
  } catch (...) {
    return;
  }
  connected_ = true;
  FlushAll();
}

void TZeruzivizCom::FlushAll() {
  for (Entry entry : {kN2kFlushRx, kBinFlushRx, kN2kFlushTx, kBinFlushTx}) CallWithHandle(entry);
}

void TZeruzivizCom::Shutdown() {
  Close();
  if (!entries_[kDestroyAll]) return;
  try {
    reinterpret_cast<DestroyAllFn>(entries_[kDestroyAll])();
  } catch (...) {
  }
  // Every handle of the library is gone now, ours with them.
  handle_ = 0;
}

bool TZeruzivizCom::IsConnected() const { return connected_ && port_ > 0 && HandleValid(); }

int TZeruzivizCom::GetPort() const { return connected_ ? port_ : -1; }

int TZeruzivizCom::GetBaud() const { return connected_ ? baud_ : -1; }

std::unique_ptr<IGatewayTransport> MakeDefaultGatewayTransport() { return std::make_unique<TZeruzivizCom>(); }

}  // namespace nmea
