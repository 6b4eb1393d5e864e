#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wobblux::testing {

// One call made to the fake GL, GLU or GLUT entry points. Numbers are kept as doubles, which
// hold every float and integer argument exactly; enum values are recorded as numbers too.
struct GlCall {
    std::string name;
    std::vector<double> args;
    const void* pointer = nullptr;  // a callback or array argument, where the call takes one
    std::string text;               // a string argument (window title, program name)
};

// Every call recorded since the last reset, in order.
const std::vector<GlCall>& glCalls();
void resetGlCalls();

// The recorded calls with this name, in order, and their number.
std::vector<GlCall> callsNamed(std::string_view name);
std::size_t countCalls(std::string_view name);

// The names of all recorded calls, in order: handy for asserting a call sequence.
std::vector<std::string> callNames();

}  // namespace wobblux::testing
