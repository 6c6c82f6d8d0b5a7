#pragma once

#include <cstddef>

namespace orv {

// Eight characters counting sign and point, digits cut rather than rounded; "Huge!" when too large.
void float2string(float value, char* text, int maxLen);
// "-oo" at or below zero, otherwise float2string of 20·log10(value).
void dB2string(float value, char* text, int maxLen);

}  // namespace orv
