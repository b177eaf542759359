// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/radio_responder.h"

#include <algorithm>
#include <cstring>

namespace kestra {

RadioResponder::RadioResponder(const RadioBehaviour& behaviour, const RadioImage& memory)
    : behaviour_(behaviour), memory_(memory) {}

IdentBlock RadioResponder::MakeIdentBlock() const {
    IdentBlock ident;
    ident.fill(0xFF);
    std::copy(behaviour_.identification.begin(), behaviour_.identification.end(), ident.begin());
    const BandLimits& l = behaviour_.identLimits;
    const std::int32_t limits[4] = {l.low[0], l.high[0], l.low[1], l.high[1]};
    for (int i = 0; i < 4; ++i)
        EncodeFrequency(static_cast<std::uint32_t>(limits[i]),
                        ident.data() + kIdentLimitsOffset + i * 4);
    return ident;
}

void RadioResponder::LineQuiet() {
    state_ = State::Idle;
    busyGreetings_ = 0;
    attempts_ = 0;
    strayUsed_ = 0;
    window_.fill(0);
}

void RadioResponder::Receive(std::uint8_t byte, std::vector<std::uint8_t>& out) {
    if (state_ == State::WriteData) {
        data_.push_back(byte);
        if (static_cast<int>(data_.size()) == pending_.length) {
            std::memcpy(memory_.data() + pending_.address, data_.data(), data_.size());
            const int corrupt = behaviour_.corruptStoreAddress;
            if (corrupt >= pending_.address && corrupt < pending_.address + pending_.length)
                memory_[static_cast<std::size_t>(corrupt)] ^= 0xFF;
            FinishBlock(out);
        }
        return;
    }

    std::rotate(window_.begin(), window_.begin() + 1, window_.end());
    window_.back() = byte;
    if (window_ == kGreeting) {
        OnGreeting(out);
        return;
    }

    switch (state_) {
    case State::Idle:
    case State::WriteData:
        break;
    case State::AwaitIdentRequest:
        if (byte == kIdentRequest) {
            const IdentBlock ident = MakeIdentBlock();
            out.insert(out.end(), ident.begin(), ident.end());
            state_ = State::AwaitAck;
        } else {
            state_ = State::Idle;
        }
        break;
    case State::AwaitAck:
        if (byte == kAck) {
            out.push_back(kAck);
            command_.clear();
            state_ = State::Command;
        } else {
            state_ = State::Idle;
        }
        break;
    case State::Command:
        command_.push_back(byte);
        if (command_.size() == 4)
            OnCommand(out);
        break;
    case State::AwaitReadAck:
        if (byte == kAck)
            FinishBlock(out);
        else
            state_ = State::Idle;
        break;
    }
}

void RadioResponder::OnGreeting(std::vector<std::uint8_t>& out) {
    ++greetings_;
    blocks_.clear();
    blocksDone_ = 0;
    state_ = State::Idle;
    if (behaviour_.silent)
        return;
    if (busyGreetings_ > 0) {
        --busyGreetings_;
        return;
    }
    if (++attempts_ < behaviour_.answerOnAttempt)
        return;
    attempts_ = 0;
    if (strayUsed_ < behaviour_.strayByteAttempts) {
        out.push_back(kStrayByte);
        ++strayUsed_;
    }
    out.push_back(kGreetingAnswer0);
    out.push_back(kGreetingAnswer1);
    state_ = State::AwaitIdentRequest;
}

void RadioResponder::OnCommand(std::vector<std::uint8_t>& out) {
    const std::vector<std::uint8_t> c = std::move(command_);
    command_.clear();
    const bool endOfRead = std::equal(kEndOfRead.begin(), kEndOfRead.end(), c.begin());
    if (endOfRead || std::equal(kEndOfWrite.begin(), kEndOfWrite.end(), c.begin())) {
        // Only the marker of the exchange's own direction completes it.
        if (!blocks_.empty() && (blocks_.back().command == kReadCommand) == endOfRead)
            ++exchangesCompleted_;
        if (!endOfRead)
            busyGreetings_ = behaviour_.busyAfterWrite;
        strayUsed_ = 0;
        state_ = State::Idle;
        return;
    }
    const int address = static_cast<int>(ReadBe(&c[1], 2));
    const int length = c[3];
    const bool valid = (c[0] == kReadCommand || c[0] == kWriteCommand) && length >= 1 &&
                       length <= kMaxBlockLength &&
                       address + length <= static_cast<int>(kImageSize);
    if (!valid) {
        state_ = State::Idle;
        return;
    }
    pending_ = {static_cast<char>(c[0]), address, length};
    if (c[0] == kWriteCommand) {
        data_.clear();
        window_.fill(0);
        state_ = State::WriteData;
        return;
    }
    out.push_back('W');
    out.push_back(c[1]);
    out.push_back(c[2]);
    out.push_back(c[3]);
    int sent = length;
    if (blocksDone_ + 1 == behaviour_.shortReplyAtBlock)
        --sent;
    out.insert(out.end(), memory_.data() + address, memory_.data() + address + sent);
    state_ = State::AwaitReadAck;
}

void RadioResponder::FinishBlock(std::vector<std::uint8_t>& out) {
    ++blocksDone_;
    blocks_.push_back(pending_);
    if (blocksDone_ == behaviour_.wrongAckAfterBlock) {
        out.push_back(kWrongAck);
        state_ = State::Idle;
        return;
    }
    out.push_back(kAck);
    // A hang-up: the radio stops answering until the next greeting.
    state_ = blocksDone_ == behaviour_.hangUpAfterBlock ? State::Idle : State::Command;
}

} // namespace kestra
