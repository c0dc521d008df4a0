// Helpers shared by the fuzz targets: a private platform prefix for the run
// and a way to hand an input to code that reads files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lvfuzz {

// Makes sure the run has an empty platform prefix of its own (created on
// first use, removed when the program ends) and returns its Unix path.
const std::string& Prefix();

// Writes the input to one file in the prefix's temporary folder, replacing
// the previous input, and returns its path in the platform's form
// ("C:\temp\fuzz-input.bin"), ready for the platform's file functions.
std::string WriteInput(const uint8_t* data, size_t size);

}  // namespace lvfuzz
