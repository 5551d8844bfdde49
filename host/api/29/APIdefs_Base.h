#pragma once
// Lengths of the host's fixed text buffers.
constexpr int API_UniLongNameLen = 256;
constexpr int API_UniIDLen = 128;
constexpr int API_NameLen = 32;
constexpr int API_UAddParDescLen = 256;
constexpr int API_UAddParNumDescLen = 256;
constexpr int API_UAddParStrLen = 256;
