// SPDX-License-Identifier: GPL-3.0-or-later
// The radio's side of the programming protocol, as plain logic: bytes from
// the line go in one at a time, the radio's answers come out. The virtual
// radio serves it on a pseudo-terminal; tests can also drive it directly.
//
// What the radio does:
//
//   02 "PROGRAM"   answers "PG" (whatever state it is in, except inside the
//                  data of a write block); a new greeting starts a new exchange
//   02             after "PG": sends its 32-byte IdentBlock
//   "A"            after the IdentBlock: answers "A"; block commands follow
//   "R" hi lo n    sends "W" hi lo n, then n bytes of its memory; the host's
//                  "A" is answered with "A"
//   "W" hi lo n    takes n data bytes into its memory, answers "A"
//                  (with corruptStoreAddress inside the block, that byte is
//                  stored inverted, as a byte garbled on the line would be)
//   "ENDR"/"ENDW"  ends the exchange; it counts as completed only when the
//                  marker matches its blocks ("ENDR" after reads, "ENDW"
//                  after writes). A garbled marker is an unexpected command;
//                  without one the radio waits until the line falls quiet.
//
// Anything unexpected puts it back to waiting for a greeting, as does a
// quiet line (LineQuiet).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/image/radio_image.h"
#include "link/exchange.h"

namespace kestra {

// Who the radio says it is, and the faults it shows.
struct RadioBehaviour {
    Identification identification = kIdentModel; // first 8 bytes of the IdentBlock
    BandLimits identLimits;                      // band limits in the IdentBlock
    bool silent = false;                         // never answers a greeting
    int answerOnAttempt = 1;    // answers only every k-th greeting (k = 3: on the third attempt)
    int strayByteAttempts = 0;  // the first n answers of an exchange carry a stray byte before "PG"
    int wrongAckAfterBlock = 0; // k > 0: block k of an exchange is answered with a wrong byte
    int hangUpAfterBlock = 0;   // k > 0: after block k the radio stops answering until a greeting
    int shortReplyAtBlock = 0;  // k > 0: the read reply of block k lacks its last data byte
    int corruptStoreAddress = -1; // >= 0: a write stores the byte for this address wrong (inverted)
    int busyAfterWrite = 0; // k > 0: after "ENDW" the radio ignores the next k greetings (storing)
    int replyDelayMs = 0;   // every answer leaves this much later (a USB chip's latency timer)
};

inline constexpr std::uint8_t kStrayByte = 0x00;
inline constexpr std::uint8_t kWrongAck = 0x15;

struct RadioBlockRecord {
    char command = 0; // 'R' or 'W'
    int address = 0;
    int length = 0;
};

class RadioResponder {
public:
    RadioResponder(const RadioBehaviour& behaviour, const RadioImage& memory);

    void SetBehaviour(const RadioBehaviour& behaviour) { behaviour_ = behaviour; }
    const RadioBehaviour& Behaviour() const { return behaviour_; }
    RadioImage& Memory() { return memory_; }
    const RadioImage& Memory() const { return memory_; }

    // Takes one byte from the line; appends the radio's answer to out.
    void Receive(std::uint8_t byte, std::vector<std::uint8_t>& out);
    // The line has been quiet for a while: back to waiting for a greeting,
    // and the greeting count starts again.
    void LineQuiet();

    IdentBlock MakeIdentBlock() const;

    int Greetings() const { return greetings_; }
    int ExchangesCompleted() const { return exchangesCompleted_; }
    // The blocks of the current (or last) exchange, in order.
    const std::vector<RadioBlockRecord>& Blocks() const { return blocks_; }

private:
    enum class State { Idle, AwaitIdentRequest, AwaitAck, Command, WriteData, AwaitReadAck };

    void OnGreeting(std::vector<std::uint8_t>& out);
    void OnCommand(std::vector<std::uint8_t>& out);
    void FinishBlock(std::vector<std::uint8_t>& out);

    RadioBehaviour behaviour_;
    RadioImage memory_;
    State state_ = State::Idle;
    std::array<std::uint8_t, 8> window_{}; // the last 8 bytes, for the greeting
    std::vector<std::uint8_t> command_;
    std::vector<std::uint8_t> data_;
    RadioBlockRecord pending_;
    int attempts_ = 0;  // greetings not answered yet
    int strayUsed_ = 0; // stray bytes sent in this exchange
    int blocksDone_ = 0;
    int busyGreetings_ = 0; // greetings still to be ignored after "ENDW"
    int greetings_ = 0;
    int exchangesCompleted_ = 0;
    std::vector<RadioBlockRecord> blocks_;
};

} // namespace kestra
