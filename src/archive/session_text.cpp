#include "session_text.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <tuple>

namespace kestrix::archive {

namespace {

// U+E000, a private-use character: a token of its own that no name holds
// (names have it replaced by a space).
constexpr std::string_view kSeparatorChar = "\xEE\x80\x80";
constexpr std::string_view kSeparator = " \xEE\x80\x80 ";

constexpr std::array<int, kNameKindCount> kKindColumn = {0, 6, 4, 1, 2, 3};  // in NameKind order

fts5_api *fts5Api(sqlite3 *db)
{
    fts5_api *api = nullptr;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &stmt, nullptr) == SQLITE_OK) {
        sqlite3_bind_pointer(stmt, 1, static_cast<void *>(&api), "fts5_api_ptr", nullptr);
        sqlite3_step(stmt);
    }
    sqlite3_finalize(stmt);
    if (!api || api->iVersion < 2)
        throw ArchiveError("This SQLite has no usable FTS5");
    return api;
}

void appendU32(std::string &out, uint32_t v)
{
    for (int b = 0; b < 4; ++b)
        out += char((v >> (8 * b)) & 0xff);
}

uint32_t readU32(const unsigned char *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::string withoutSeparator(const std::string &name)
{
    std::string out = name;
    for (size_t at; (at = out.find(kSeparatorChar)) != std::string::npos;)
        out.replace(at, kSeparatorChar.size(), " ");
    return out;
}

// The bounds blob: per column, the number of names and then the token offset
// at which each starts. Returns the start offsets of `column`, or empty when
// the blob is short.
std::pair<const unsigned char *, uint32_t> columnStarts(const unsigned char *blob, size_t size, int column)
{
    size_t at = 0;
    for (int c = 0; c <= column; ++c) {
        if (at + 4 > size)
            return {nullptr, 0};
        const uint32_t n = readU32(blob + at);
        if (n > (size - at - 4) / 4)
            return {nullptr, 0};
        if (c == column)
            return {blob + at + 4, n};
        at += 4 + size_t(n) * 4;
    }
    return {nullptr, 0};
}

// The name of `column` in which the token at `offset` lies: the last name
// starting at or before it. Instances come in position order, so the search
// starts from the name found last (`from`) and gallops forward; an earlier
// offset starts over from the first name.
uint32_t nameAt(const unsigned char *starts, uint32_t n, uint32_t offset, uint32_t from)
{
    if (from >= n || readU32(starts + size_t(from) * 4) > offset)
        from = 0;
    uint32_t lo = from, step = 1;
    while (lo + step < n && readU32(starts + size_t(lo + step) * 4) <= offset) {
        lo += step;
        step *= 2;
    }
    uint32_t hi = std::min(n, lo + step);
    while (hi - lo > 1) {
        const uint32_t mid = lo + (hi - lo) / 2;
        if (readU32(starts + size_t(mid) * 4) <= offset)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

void matchNames(const Fts5ExtensionApi *api, Fts5Context *context, sqlite3_context *result, int argc,
                sqlite3_value **argv)
{
    auto *found = argc == 2 ? static_cast<MatchedNames *>(sqlite3_value_pointer(argv[1], kMatchedNamesType)) : nullptr;
    if (!found) {
        sqlite3_result_error(result, "match_names takes the bounds and a bound MatchedNames", -1);
        return;
    }
    const auto *blob = static_cast<const unsigned char *>(sqlite3_value_blob(argv[0]));
    const size_t size = size_t(sqlite3_value_bytes(argv[0]));
    int count = 0;
    if (api->xInstCount(context, &count) != SQLITE_OK)
        count = 0;
    // Instances come in position order, column by column, so each column's
    // names come out sorted and distinct by comparing with the last one only.
    // The path column's names are the file column's, a second sorted run that
    // is merged in afterwards.
    std::vector<NameRef> &refs = found->refs;
    const size_t first = refs.size();
    size_t pathFrom = 0, pathTo = 0;
    int lastColumn = -1;
    const unsigned char *starts = nullptr;
    uint32_t n = 0, last = 0;
    for (int i = 0; i < count; ++i) {
        int phrase = 0, column = 0, offset = 0;
        if (api->xInst(context, i, &phrase, &column, &offset) != SQLITE_OK || column < 0 ||
            column >= kTextColumnCount || offset < 0)
            continue;
        if (column != lastColumn) {
            if (lastColumn == kPathColumn)
                pathTo = refs.size();
            if (column == kPathColumn)
                pathFrom = pathTo = refs.size();
            std::tie(starts, n) = columnStarts(blob, size, column);
            lastColumn = column;
            last = 0;
        }
        if (!starts || n == 0)
            continue;
        last = nameAt(starts, n, uint32_t(offset), last);
        const NameRef ref{uint32_t(column == kPathColumn ? kKindColumn[size_t(NameKind::file)] : column), last};
        if (refs.size() > first && refs.back() == ref)
            continue;
        refs.push_back(ref);
    }
    if (lastColumn == kPathColumn)
        pathTo = refs.size();
    const auto begin = refs.begin() + ptrdiff_t(first);
    if (pathTo > pathFrom)
        std::inplace_merge(begin, refs.begin() + ptrdiff_t(pathFrom), refs.begin() + ptrdiff_t(pathTo));
    if (!std::is_sorted(begin, refs.end()))  // instances out of order: never seen, but cheap to survive
        std::sort(begin, refs.end());
    refs.erase(std::unique(begin, refs.end()), refs.end());
    sqlite3_result_int64(result, int64_t(refs.size() - first));
}

} // namespace

int textColumnOf(NameKind kind) { return kKindColumn[size_t(kind)]; }

NameKind kindOfTextColumn(int column)
{
    if (column == kPathColumn)
        return NameKind::file;
    for (int k = 0; k < kNameKindCount; ++k)
        if (kKindColumn[size_t(k)] == column)
            return NameKind(k);
    return NameKind::track;
}

struct TokenCounter::Impl {
    fts5_tokenizer methods{};
    Fts5Tokenizer *tokenizer = nullptr;
};

TokenCounter::TokenCounter(sqlite3 *db) : impl_(std::make_unique<Impl>())
{
    fts5_api *api = fts5Api(db);
    void *userData = nullptr;
    const char *args[] = {"remove_diacritics", "2"};
    if (api->xFindTokenizer(api, "unicode61", &userData, &impl_->methods) != SQLITE_OK ||
        impl_->methods.xCreate(userData, args, 2, &impl_->tokenizer) != SQLITE_OK)
        throw ArchiveError("This SQLite has no unicode61 tokenizer");
}

TokenCounter::~TokenCounter()
{
    if (impl_->tokenizer)
        impl_->methods.xDelete(impl_->tokenizer);
}

uint32_t TokenCounter::count(std::string_view text) const
{
    uint32_t n = 0;
    impl_->methods.xTokenize(impl_->tokenizer, &n, FTS5_TOKENIZE_DOCUMENT, text.data(), int(text.size()),
                             [](void *counter, int flags, const char *, int, int, int) {
                                 if (!(flags & FTS5_TOKEN_COLOCATED))
                                     ++*static_cast<uint32_t *>(counter);
                                 return SQLITE_OK;
                             });
    return n;
}

SessionText sessionText(const std::vector<IndexedName> &names, const TokenCounter &tokens)
{
    SessionText text;
    std::array<std::vector<uint32_t>, kTextColumnCount> starts;
    std::array<uint32_t, kTextColumnCount> next{};
    const auto add = [&](int column, const std::string &name) {
        const std::string clean = withoutSeparator(name);
        std::string &out = text.columns[size_t(column)];
        if (!starts[size_t(column)].empty())
            out += kSeparator;
        out += clean;
        starts[size_t(column)].push_back(next[size_t(column)]);
        next[size_t(column)] += tokens.count(clean) + 1;  // the name, then a separator
    };
    for (const IndexedName &name : names) {
        add(textColumnOf(name.kind), name.name);
        if (name.kind == NameKind::file)
            add(kPathColumn, name.detail);  // empty too, to stay beside its name
    }
    for (const auto &column : starts) {
        appendU32(text.bounds, uint32_t(column.size()));
        for (uint32_t start : column)
            appendU32(text.bounds, start);
    }
    text.nameCount = int64_t(names.size());
    return text;
}

void appendNames(std::string_view column, std::span<const NameRef> refs, NameKind kind,
                 std::vector<SessionMatch> &out)
{
    // Walks the names up to the last one wanted, splitting no further.
    size_t start = 0;
    uint32_t index = 0;
    for (const NameRef &ref : refs) {
        while (index < ref.index && start <= column.size()) {
            const size_t at = column.find(kSeparator, start);
            start = at == std::string_view::npos ? column.size() + 1 : at + kSeparator.size();
            ++index;
        }
        if (column.empty() || start > column.size())
            return;
        const size_t at = column.find(kSeparator, start);
        out.push_back({kind, std::string(column.substr(start, at == std::string_view::npos ? std::string_view::npos
                                                                                          : at - start))});
    }
}

void registerMatchNames(sqlite3 *db)
{
    fts5_api *api = fts5Api(db);
    if (api->xCreateFunction(api, "match_names", nullptr, matchNames, nullptr) != SQLITE_OK)
        throw ArchiveError("Cannot register match_names");
}


} // namespace kestrix::archive
