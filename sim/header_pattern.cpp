#include "sim/header_pattern.h"

#include <algorithm>
#include <cctype>

#include "sim/scpi_keyword.h"

namespace sim {

HeaderPattern::HeaderPattern(std::string_view notation) {
    std::size_t start = 0;
    while (start <= notation.size()) {
        const std::size_t end = std::min(notation.find(':', start), notation.size());
        nodes_.push_back(parseNode(notation.substr(start, end - start)));
        start = end + 1;
    }
    const Node& first = nodes_.front();
    if (!first.optional && !first.anyWord && !first.keyword.empty() &&
        !std::islower(static_cast<unsigned char>(first.keyword.front()))) {
        leading_ =
            static_cast<char>(std::toupper(static_cast<unsigned char>(first.keyword.front())));
    }
}

HeaderPattern::Node HeaderPattern::parseNode(std::string_view text) {
    Node node;
    if (text.size() > 2 && text.front() == '[' && text.back() == ']') {
        node.optional = true;
        text = text.substr(1, text.size() - 2);
    }
    if (text.size() > 2 && text.front() == '<' && text.back() == '>') {
        node.anyWord = true;
        return node;
    }
    if (!text.empty() && text.back() == '#') {
        node.suffixed = true;
        text.remove_suffix(1);
    }
    node.keyword = std::string(text);
    return node;
}

std::optional<HeaderMatch> HeaderPattern::match(const std::vector<std::string>& words) const {
    if (leading_ != 0 &&
        (words.empty() || words.front().empty() || words.front().front() != leading_)) {
        return std::nullopt;
    }
    HeaderMatch result;
    if (!matchFrom(0, 0, words, result)) {
        return std::nullopt;
    }
    return result;
}

bool HeaderPattern::matchFrom(std::size_t node, std::size_t word,
                              const std::vector<std::string>& words, HeaderMatch& result) const {
    if (node == nodes_.size()) {
        return word == words.size();
    }
    if (word < words.size()) {
        // A failed attempt takes back what it added, so that nothing is copied.
        const std::size_t suffixes = result.suffixes.size();
        const std::size_t taken = result.words.size();
        if (matchNode(nodes_[node], words[word], result) &&
            matchFrom(node + 1, word + 1, words, result)) {
            return true;
        }
        result.suffixes.resize(suffixes);
        result.words.resize(taken);
    }
    return nodes_[node].optional && matchFrom(node + 1, word, words, result);
}

bool HeaderPattern::matchNode(const Node& node, const std::string& word,
                              HeaderMatch& result) const {
    if (node.anyWord) {
        result.words.push_back(word);
        return true;
    }
    if (!node.suffixed) {
        return keywordMatches(node.keyword, word);
    }
    const auto suffix = suffixedKeywordMatch(node.keyword, word);
    if (!suffix) {
        return false;
    }
    result.suffixes.push_back(*suffix);
    return true;
}

}  // namespace sim
