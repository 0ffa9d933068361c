#pragma once
// The control channel's command language (listed in README.md): one command
// per line, words separated by blanks, answered with "ok", "ok <text>" or
// "error <why>".

#include <string>

namespace dstsim {

class Simulator;

std::string ExecuteControl(Simulator& sim, const std::string& line);

}  // namespace dstsim
