// Copies the settings record into the system's TCP/IP keys: the one place
// where an apply run writes the system.
#pragma once

namespace brisbolt {

// How the writes went: the record's "init" is set in every case.
struct ApplyOutcome {
    int written = 0;  // system writes that worked, of the seven
    bool NothingWritten() const { return written == 0; }
};

// In this order: path-MTU discovery, black-hole detection, NWLink cache
// size, receive window, keep-alive, TTL, MTU; then "init". Every write is
// made whatever became of the ones before.
ApplyOutcome ApplySettingsToSystem();

}  // namespace brisbolt
