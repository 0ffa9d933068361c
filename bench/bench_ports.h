#pragma once
// A settings store and virtual port folder of the benchmark's own (through
// XDG_CONFIG_HOME and XDG_RUNTIME_DIR), both channels' ports published as
// pseudo-terminals and saved as the program's channels; removed again at
// the end.

#include <filesystem>
#include <memory>

#include "platform/core/os/pseudo_terminal.h"

struct BenchPorts {
  BenchPorts();
  ~BenchPorts();
  BenchPorts(const BenchPorts&) = delete;
  BenchPorts& operator=(const BenchPorts&) = delete;
  std::filesystem::path Settings() const { return Folder / "config" / "veltrosa" / "registry.reg"; }

  std::filesystem::path Folder;
  std::unique_ptr<platform::PseudoTerminal> Dst;
  std::unique_ptr<platform::PseudoTerminal> Gps;
};
