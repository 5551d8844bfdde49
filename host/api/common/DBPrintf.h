#pragma once
// The host's debug print: formatted like printf, captured by the host.
void DBPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
