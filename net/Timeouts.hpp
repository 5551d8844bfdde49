#pragma once
// How long a transfer may take to connect, and how slow it may get before it is given up.
// One set of values for the whole add-on; tests shorten them here, nothing else changes them.
namespace KRV::net {

struct Timeouts {
    long connectSeconds = 15;
    long lowSpeedBytesPerSecond = 1024;
    long lowSpeedSeconds = 60;
};

Timeouts& TransferTimeouts();

} // namespace KRV::net
