// The audio file list: one flat list per 0x103a block that mixes folder
// entries, file entries and the components of the files' storage location.
// Files take their folder from the entries around them and their location
// from the components the folder is anchored to.
#include "ptx_extract.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace ptx {

namespace {

constexpr uint32_t kMaxNameLength = 500;
constexpr uint32_t kNoLink = 0xffffffff;
constexpr uint32_t kLinkTopBit = 0x80000000;
constexpr uint8_t kKindAnchorsNextFolder = 1;
constexpr uint8_t kKindLinksToFolder = 2;

// What the four type bytes after an entry's name make of it: all zero is a
// folder, four printable characters a file, anything else a location component.
enum class EntryKind { folder, file, location };

struct ListEntry {
    std::string name;
    EntryKind kind = EntryKind::folder;
    std::string type_tag;  // files only
    bool unhandled_type = false;
    uint8_t kind_byte = 255;
    uint32_t link = kNoLink;
};

bool is_printable(uint8_t c) { return c >= 0x20 && c <= 0x7e; }

bool is_recognised_tag(std::string_view tag)
{
    static constexpr std::array<std::string_view, 6> kTags = {"WAVE", "EVAW", "AIFF", "FFIA", "fFXM", "MXFf"};
    return std::find(kTags.begin(), kTags.end(), tag) != kTags.end();
}

void classify(ListEntry &e, const std::array<uint8_t, 4> &type)
{
    if (std::all_of(type.begin(), type.end(), [](uint8_t c) { return c == 0; }))
        return;  // a folder
    if (!std::all_of(type.begin(), type.end(), is_printable)) {
        e.kind = EntryKind::location;
        return;
    }
    e.kind = EntryKind::file;
    e.type_tag.assign(type.begin(), type.end());
    e.unhandled_type = !is_recognised_tag(e.type_tag);
}

// Reads entries from p until one does not fit or has an impossible name
// length. Each entry: u32 name length, name, four type bytes, kind byte,
// u32 LE link; the type bytes read as zero at or beyond the end.
std::vector<ListEntry> read_entries(const ParseContext &ctx, uint64_t p, uint64_t end)
{
    std::vector<ListEntry> entries;
    while (p + 4 <= end) {
        const uint32_t length = ctx.u32(uint32_t(p));
        if (length < 1 || length > kMaxNameLength || p + 4 + length > end)
            break;
        ListEntry e;
        e.name = ctx.text(uint32_t(p + 4), length);
        const uint64_t q = p + 4 + length;
        std::array<uint8_t, 4> type{};
        for (uint64_t k = 0; k < 4; ++k)
            type[k] = q + k < end ? ctx.u8(uint32_t(q + k)) : 0;
        classify(e, type);
        if (q + 4 < end)
            e.kind_byte = ctx.u8(uint32_t(q + 4));
        const bool has_link = q + 9 <= end;
        if (has_link)
            e.link = ctx.u32le(uint32_t(q + 5));
        entries.push_back(std::move(e));
        if (!has_link)
            break;
        p = q + 9;
    }
    return entries;
}

// The files of one block, from the folder and file entries before the first
// location component (`first_location`).
class FileResolver {
public:
    FileResolver(const std::vector<ListEntry> &entries, size_t first_location, uint32_t base)
        : entries_(entries), first_location_(first_location), base_(base)
    {
        record_folder_anchors();
        find_nearest_locations();
    }

    void append_files(std::vector<ptx_audio_file> &out) const
    {
        std::optional<size_t> previous_parent;
        for (size_t i = 0; i < first_location_; ++i) {
            const ListEntry &e = entries_[i];
            if (e.kind != EntryKind::file || e.name.empty() || e.name.find(".grp") != std::string::npos)
                continue;
            const std::optional<size_t> parent = parent_of(i, previous_parent);
            out.push_back({e.name, path_of(e, parent), uint8_t(e.unhandled_type), e.type_tag});
            previous_parent = parent;
        }
    }

private:
    // A folder is stored at the location named by the last kind-1 file
    // before it, if no other folder came in between; otherwise at base.
    void record_folder_anchors()
    {
        start_.resize(first_location_);
        bool pending = true;
        uint32_t anchor = base_;
        for (size_t i = 0; i < first_location_; ++i) {
            const ListEntry &e = entries_[i];
            if (e.kind == EntryKind::folder) {
                start_[i] = pending ? anchor : base_;
                pending = false;
            } else if (e.kind_byte == kKindAnchorsNextFolder && e.link < kLinkTopBit) {
                anchor = e.link;
                pending = true;
            }
        }
    }

    // For every entry, the closest location component at or before it.
    void find_nearest_locations()
    {
        nearest_location_.resize(entries_.size());
        std::optional<size_t> last;
        for (size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].kind == EntryKind::location)
                last = i;
            nearest_location_[i] = last;
        }
    }

    // A file right after a folder lies in it; otherwise a kind-2 file names
    // its folder (any entry but a file); otherwise it shares the folder of
    // the file listed before it.
    std::optional<size_t> parent_of(size_t i, std::optional<size_t> previous_parent) const
    {
        if (i > 0 && entries_[i - 1].kind == EntryKind::folder)
            return i - 1;
        const ListEntry &e = entries_[i];
        if (e.kind_byte == kKindLinksToFolder && e.link < entries_.size()
            && entries_[e.link].kind != EntryKind::file)
            return e.link;
        return previous_parent;
    }

    std::string path_of(const ListEntry &file, std::optional<size_t> parent) const
    {
        const uint32_t anchor = parent && *parent < start_.size() && start_[*parent] ? *start_[*parent] : base_;
        std::string path = location_prefix(anchor);
        if (parent && !entries_[*parent].name.empty())
            path += "/" + entries_[*parent].name;
        return path + "/" + file.name;
    }

    // "/" + every name from the closest location component at or before
    // the anchor up to the anchor itself; empty when there is none.
    std::string location_prefix(uint32_t anchor) const
    {
        if (anchor >= entries_.size() || !nearest_location_[anchor])
            return {};
        std::string prefix;
        for (size_t j = *nearest_location_[anchor]; j <= anchor; ++j)
            prefix += "/" + entries_[j].name;
        return prefix;
    }

    const std::vector<ListEntry> &entries_;
    size_t first_location_;
    uint32_t base_;
    std::vector<std::optional<uint32_t>> start_;  // folders only
    std::vector<std::optional<size_t>> nearest_location_;
};

void read_audio_file_block(const ParseContext &ctx, const ptx_block &block, std::vector<ptx_audio_file> &out)
{
    const uint64_t end = std::min<uint64_t>(ctx.size, uint64_t(block.offset) + block.size);
    if (uint64_t(block.offset) + 11 > end)
        return;
    const uint32_t base = ctx.u32le(block.offset + 7);
    const std::vector<ListEntry> entries = read_entries(ctx, uint64_t(block.offset) + 11, end);
    const auto first_location = std::find_if(entries.begin(), entries.end(),
                                             [](const ListEntry &e) { return e.kind == EntryKind::location; });
    const size_t k = size_t(first_location - entries.begin());
    if (k < 1)
        return;
    FileResolver(entries, k, base).append_files(out);
}

} // namespace

void read_audio_files(const ParseContext &ctx, ptx_session &s)
{
    const ptx_block_list &blocks = ctx.list(0x103a);
    for (uint32_t k = 0; k < blocks.count; ++k)
        read_audio_file_block(ctx, *blocks.items[k], s.audio_files);
}

} // namespace ptx
