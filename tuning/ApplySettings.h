// Copies the settings record into the system's TCP/IP keys: the one place
// where an apply run writes the system.
#pragma once

namespace brisbolt {

// How the writes went: the record's "init" is set whenever any was tried.
struct ApplyOutcome {
    int written = 0;  // system writes that worked, of the seven
    // Vista or later: nothing was tried, nothing written.
    bool laterWindows = false;
    bool NothingWritten() const { return written == 0; }
};

// True on Vista and later, which tune these values themselves. A run that
// has not classified the system yet (the "/S" start, a record applied from
// the tray) does so first: code 0 would take the NT branch.
bool WindowsTunesItself();

// In this order: path-MTU discovery, black-hole detection, NWLink cache
// size, receive window, keep-alive, TTL, MTU; then "init". Every write is
// made whatever became of the ones before. On Vista and later it writes
// nothing at all, whatever the record holds.
ApplyOutcome ApplySettingsToSystem();

}  // namespace brisbolt
