#include "name_index.h"

#include "indices.h"
#include "lower_case.h"

#include <algorithm>

namespace kestrix {

namespace {

// Ends every name. Terms are split at blanks, so no match crosses it.
constexpr char kNameEnd = '\n';

// The names are passed in order; a short step forward is cheaper than a
// binary search over all of them.
constexpr size_t kLinearSteps = 8;

uint32_t saturatedIncrement(uint32_t count)
{
    return count == UINT32_MAX ? count : count + 1;
}

} // namespace

void NameIndex::Builder::startOwner()
{
    ownerFirstNames_.push_back(nameStarts_.size());
}

void NameIndex::Builder::addName(std::string_view name)
{
    if (ownerFirstNames_.empty())
        startOwner();
    nameStarts_.push_back(text_.size());
    nameOwners_.push_back(ownerFirstNames_.size() - 1);
    appendLowerCase(name, text_);
    text_ += kNameEnd;
}

NameIndex NameIndex::Builder::finish()
{
    NameIndex index;
    ownerFirstNames_.push_back(nameStarts_.size());
    nameStarts_.push_back(text_.size());
    index.text_ = std::move(text_);
    index.nameStarts_ = std::move(nameStarts_);
    index.ownerFirstNames_ = std::move(ownerFirstNames_);
    index.nameOwners_ = std::move(nameOwners_);
    index.byteCounts_.assign(256, 0);
    index.pairCounts_.assign(65536, 0);
    const std::string &text = index.text_;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned byte = static_cast<unsigned char>(text[i]);
        index.byteCounts_[byte] = saturatedIncrement(index.byteCounts_[byte]);
        if (i + 1 < text.size()) {
            const unsigned pair = byte << 8 | static_cast<unsigned char>(text[i + 1]);
            index.pairCounts_[pair] = saturatedIncrement(index.pairCounts_[pair]);
        }
    }
    *this = Builder();
    return index;
}

uint32_t NameIndex::estimatedHits(std::string_view term) const
{
    if (term.size() == 1)
        return byteCounts_[static_cast<unsigned char>(term[0])];
    uint32_t rarest = UINT32_MAX;
    for (size_t i = 0; i + 1 < term.size(); ++i) {
        const unsigned pair = unsigned(static_cast<unsigned char>(term[i])) << 8 | static_cast<unsigned char>(term[i + 1]);
        rarest = std::min(rarest, pairCounts_[pair]);
    }
    return rarest;
}

size_t NameIndex::nameAt(size_t offset, size_t fromName) const
{
    for (size_t step = 0; step < kLinearSteps; ++step, ++fromName)
        if (nameStarts_[fromName + 1] > offset)
            return fromName;
    const auto after = std::upper_bound(nameStarts_.begin() + ptrdiff_t(fromName), nameStarts_.end(), offset);
    return size_t(after - nameStarts_.begin()) - 1;
}

bool NameIndex::nameHasAll(size_t name, const std::vector<SubstringFinder> &finders, size_t skippedTerm) const
{
    const std::string_view text(text_.data() + nameStarts_[name], nameStarts_[name + 1] - nameStarts_[name]);
    for (size_t t = 0; t < finders.size(); ++t)
        if (t != skippedTerm && finders[t].find(text, 0) == std::string_view::npos)
            return false;
    return true;
}

std::vector<size_t> NameIndex::ownersMatching(const std::vector<std::string> &terms) const
{
    if (terms.empty())
        return allIndices(ownerCount());
    // The text is scanned for the rarest term; the others are looked for
    // only in the names where it occurs.
    size_t lead = 0;
    for (size_t t = 1; t < terms.size(); ++t)
        if (estimatedHits(terms[t]) < estimatedHits(terms[lead]))
            lead = t;
    std::vector<SubstringFinder> finders(terms.begin(), terms.end());
    std::vector<size_t> owners;
    size_t name = 0;
    size_t offset = 0;
    while (true) {
        const size_t hit = finders[lead].find(text_, offset);
        if (hit == std::string_view::npos)
            break;
        name = nameAt(hit, name);
        if (nameHasAll(name, finders, lead)) {
            const size_t owner = nameOwners_[name];
            owners.push_back(owner);
            name = ownerFirstNames_[owner + 1];  // the owner's other names need no look
        } else {
            ++name;
        }
        if (name + 1 >= nameStarts_.size())
            break;
        offset = nameStarts_[name];
    }
    return owners;
}

} // namespace kestrix
