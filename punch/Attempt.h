#pragma once

#include <exception>

// Runs one step of a handler whose failing steps are skipped without a
// message; the handler goes on with its next step.
template<typename Step> void attempt(Step&& step)
{
    try {
        step();
    } catch (const std::exception&) { }
}
