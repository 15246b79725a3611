#pragma once
// Channel-list text ("100,106,115:127") into the numbers it names.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

constexpr int kChannelSetCapacity = 64;

struct ChannelSet {
    std::uint32_t maskLow = 0;   // bit n: channel n (0..31) occurs
    std::uint32_t maskHigh = 0;  // bit n - 32: channel n (32..63) occurs
    // Every number in order of appearance, ranges expanded, duplicates kept.
    std::array<std::int16_t, kChannelSetCapacity> numbers{};
    std::int16_t lastIndex = -1;  // -1 when the list is empty

    int Count() const { return lastIndex + 1; }
};

// Any character that is not a digit separates numbers, so "(@100:103)" and
// "100 101" parse; "n:m" expands to n..m (nothing when m < n). A list naming
// more than 64 numbers keeps the first 64.
ChannelSet ParseChannelList(std::string_view text);

// Checks a typed list before it is sent: comma-separated items, each a
// channel 100 to 163 or a range "n:m" of them (spaces around items allowed).
// Returns the first item that is not one, or nothing when the whole list is.
std::optional<std::string> FindChannelListFault(std::string_view text);
