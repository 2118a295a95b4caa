// Names lower-cased once and laid out in one buffer, so that a search term
// is looked for in one pass over contiguous memory instead of name by name.
#ifndef KESTRIX_MODEL_NAME_INDEX_H
#define KESTRIX_MODEL_NAME_INDEX_H

#include "substring_find.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// Every name belongs to an owner (a track, a group); an owner has any
// number of names, and owners are numbered from 0 in the order they are
// added.
class NameIndex {
public:
    class Builder {
    public:
        // Starts the next owner; the names added after it are its own.
        void startOwner();
        void addName(std::string_view name);
        NameIndex finish();

    private:
        std::string text_;
        std::vector<size_t> nameStarts_;
        std::vector<size_t> ownerFirstNames_;
        std::vector<size_t> nameOwners_;
    };

    // The owners, ascending, with a name that contains every term (terms
    // are lower-cased and hold no blanks). Every owner when there are none.
    std::vector<size_t> ownersMatching(const std::vector<std::string> &terms) const;

    size_t ownerCount() const { return ownerFirstNames_.empty() ? 0 : ownerFirstNames_.size() - 1; }
    // The lower-cased names, each ended by a line break.
    std::string_view text() const { return text_; }

private:
    // How often the term's rarest byte pair (its byte, for one byte) occurs.
    uint32_t estimatedHits(std::string_view term) const;
    size_t nameAt(size_t offset, size_t fromName) const;
    bool nameHasAll(size_t name, const std::vector<SubstringFinder> &finders, size_t skippedTerm) const;

    std::string text_;
    std::vector<size_t> nameStarts_;       // one per name, then the end of the text
    std::vector<size_t> ownerFirstNames_;  // one per owner, then the number of names
    std::vector<size_t> nameOwners_;       // one per name
    std::vector<uint32_t> byteCounts_;     // 256 entries
    std::vector<uint32_t> pairCounts_;     // 65,536 entries, first byte high
};

} // namespace kestrix

#endif
