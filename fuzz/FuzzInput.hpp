#pragma once
// One fuzz input, as the page or a dropped file would deliver it to the loaded add-on.
//
// Byte 0 picks the target: 0-10 the functions of "jsKorvelInterface" in their table
// order, 11 the dropped-file handler (both modulo 12), and from 240 up a stored project's
// data: the text becomes the catalogue data stored on the project's building materials.
// Byte 1 picks how the argument arrives: 0 a string, 1 missing (JavaScript null), 2 a
// number, 3 an array of strings (the text split at line breaks). The rest of the input
// is the text.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace korvel_fuzz {

// The small project every input starts from.
std::filesystem::path SampleProject();

// Gives the host a fresh copy of the small project and clears what earlier inputs left
// (alerts, debug output, the log); the add-on stays loaded.
void ResetProject();

// Runs one input against the loaded add-on with its browser palette open. Answers the
// description of an exception that escaped into the host, of stored data the add-on's
// readers read differently or that failed a whole job, of a text that is no JSON answered
// by the bridge's last resort, or the empty text.
std::string RunInput(const std::uint8_t* data, std::size_t size);

} // namespace korvel_fuzz
