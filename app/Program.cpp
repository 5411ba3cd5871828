#include "Program.h"

#include <cstdio>
#include <cstdlib>

void ImmediateExit::end()
{
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
