// veltrosa: the DST module's monitoring and calibration program.

#include "app/program.h"

int main() { return app::RunProgram(); }
