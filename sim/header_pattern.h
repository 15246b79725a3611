#pragma once
// One command header in SCPI notation, nodes separated by ':':
//   "[SENSe]:FUNCtion:VOLTage"  a node in brackets may be left out;
//   "OUTPut:TTLTrg#"            '#' marks a numeric suffix (TTLT3);
//   "SOURce:FUNCtion:<shape>"   a node in angle brackets takes any word;
//   "*RST"                      common commands are matched literally.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct HeaderMatch {
    std::vector<int> suffixes;       // numeric suffixes, in header order
    std::vector<std::string> words;  // words taken by angle-bracket nodes, in header order
};

class HeaderPattern {
public:
    explicit HeaderPattern(std::string_view notation);

    // The words are the header's nodes, upper-cased, without the query mark.
    std::optional<HeaderMatch> match(const std::vector<std::string>& words) const;

private:
    struct Node {
        std::string keyword;
        bool optional = false;
        bool suffixed = false;
        bool anyWord = false;
    };

    static Node parseNode(std::string_view text);
    bool matchFrom(std::size_t node, std::size_t word, const std::vector<std::string>& words,
                   HeaderMatch& result) const;
    bool matchNode(const Node& node, const std::string& word, HeaderMatch& result) const;

    std::vector<Node> nodes_;
    // The letter every match's first word starts with, or 0: a table tries
    // each pattern in turn, and most are ruled out by it.
    char leading_ = 0;
};

}  // namespace sim
