// SPDX-License-Identifier: GPL-3.0-or-later
// A pseudo-terminal pair: the master end for the side that plays the radio,
// the slave device path for the side that opens it as a serial port.
// POSIX only; elsewhere Open fails.
#pragma once

#include <string>

namespace kestra {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Creates the pair: the master non-blocking, the slave opened here as
    // well, in raw mode at 9600 baud, and kept open until Close so that the
    // master never sees a hang-up while the other side opens and closes the
    // device between exchanges. The path stays valid until Close. Neither
    // end takes the number of a closed standard stream.
    bool Open(std::string* error);
    void Close();

    bool IsOpen() const { return master_ >= 0; }
    int Master() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace kestra
