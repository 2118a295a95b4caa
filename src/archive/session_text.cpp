#include "session_text.h"

#include "name_bounds.h"

#include <sqlite3.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <unordered_set>
#include <utility>

namespace kestrix::archive {

namespace {

// U+E000, a private-use character: a token of its own that no name holds
// (names have it replaced by a space).
constexpr std::string_view kSeparatorChar = "\xEE\x80\x80";
constexpr std::string_view kSeparator = " \xEE\x80\x80 ";

constexpr std::array<int, kNameKindCount> kKindColumn = {0, 6, 4, 1, 2, 3};  // in NameKind order
static_assert(kKindColumn[size_t(NameKind::file)] == kFileColumn);
static_assert(kBoundsColumnCount == kTextColumnCount);

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

std::string withoutSeparator(const std::string &name)
{
    std::string out = name;
    for (size_t at; (at = out.find(kSeparatorChar)) != std::string::npos;)
        out.replace(at, kSeparatorChar.size(), " ");
    return out;
}

// Where the next separator at or after `from` starts, or npos. Its
// private-use character is rare in names, so its first byte is looked for.
size_t separatorAt(std::string_view column, size_t from)
{
    for (size_t at = from + 1; at < column.size(); ++at) {
        const void *found = std::memchr(column.data() + at, kSeparator[1], column.size() - at);
        if (!found)
            break;
        at = size_t(static_cast<const char *>(found) - column.data());
        if (column.size() - (at - 1) >= kSeparator.size() &&
            std::memcmp(column.data() + at - 1, kSeparator.data(), kSeparator.size()) == 0)
            return at - 1;
    }
    return std::string_view::npos;
}

// The column whose names a column's matches count as: the path column's
// names are the file column's.
int namesColumnOf(int column) { return column == kPathColumn ? kFileColumn : column; }

// The MatchedNames bound as the last of `wanted` arguments; null, with the
// usage as the error, when there is none.
MatchedNames *boundMatchedNames(sqlite3_context *result, int argc, sqlite3_value **argv, int wanted,
                                const char *usage)
{
    auto *found = argc == wanted ? static_cast<MatchedNames *>(sqlite3_value_pointer(argv[wanted - 1], kMatchedNamesType))
                                 : nullptr;
    if (!found)
        sqlite3_result_error(result, usage, -1);
    return found;
}

// The row's matches, gathered once for both functions.
const std::vector<MatchAt> &rowMatches(const Fts5ExtensionApi *api, Fts5Context *context, MatchedNames &found)
{
    const int64_t row = api->xRowid(context);
    if (found.matchesOf == row)
        return found.matches;
    found.matches.clear();
    for (int phrase = 0; phrase < api->xPhraseCount(context); ++phrase) {
        Fts5PhraseIter iter{};
        int column = -1, offset = -1;
        for (api->xPhraseFirst(context, phrase, &iter, &column, &offset); column >= 0;
             api->xPhraseNext(context, &iter, &column, &offset))
            if (column < kTextColumnCount && offset >= 0)
                found.matches.push_back({uint32_t(column), uint32_t(offset)});
    }
    found.matchesOf = row;
    return found.matches;
}

// may_show(session_text, matched): see registerMatchNames.
void mayShow(const Fts5ExtensionApi *api, Fts5Context *context, sqlite3_context *result, int argc,
             sqlite3_value **argv)
{
    if (MatchedNames *found = boundMatchedNames(result, argc, argv, 1, "may_show takes a bound MatchedNames"))
        sqlite3_result_int(result, rowMatches(api, context, *found).size() >= found->atLeast);
}

// match_names(session_text, bounds, matched): see registerMatchNames. Each
// match sets its name's bit, so a name matched by several phrases, several
// times or in its path counts once, and the names come out sorted.
void matchNames(const Fts5ExtensionApi *api, Fts5Context *context, sqlite3_context *result, int argc,
                sqlite3_value **argv)
{
    MatchedNames *found =
        boundMatchedNames(result, argc, argv, 2, "match_names takes the bounds and a bound MatchedNames");
    if (!found)
        return;
    const std::vector<MatchAt> &matches = rowMatches(api, context, *found);
    const NameBounds bounds({static_cast<const unsigned char *>(sqlite3_value_blob(argv[0])),
                             size_t(sqlite3_value_bytes(argv[0]))});
    unsigned touched = 0;  // a bit per column whose bits are in use for this row
    uint32_t lastColumn = kTextColumnCount;
    NameCursor names;
    uint64_t *bits = nullptr;
    // Each phrase's matches come column by column in increasing offsets,
    // which the cursor walks forward.
    for (const MatchAt &match : matches) {
        if (match.column != lastColumn) {
            lastColumn = match.column;
            names = bounds.column(int(match.column));
            const int target = namesColumnOf(int(match.column));
            std::vector<uint64_t> &words = found->bits[size_t(target)];
            if (!(touched & (1u << target))) {
                uint32_t count = bounds.column(target).count();
                if (target == kFileColumn)
                    count = std::max(count, bounds.column(kPathColumn).count());
                words.assign((size_t(count) + 63) / 64, 0);
                touched |= 1u << target;
            }
            bits = words.data();
        }
        if (names.empty())
            continue;
        const uint32_t name = names.nameAt(match.offset);
        bits[name / 64] |= uint64_t(1) << (name % 64);
    }
    std::vector<NameRef> &refs = found->refs;
    const size_t first = refs.size();
    for (int column = 0; column < kTextColumnCount; ++column) {
        if (!(touched & (1u << column)))
            continue;
        const std::vector<uint64_t> &words = found->bits[size_t(column)];
        for (size_t w = 0; w < words.size(); ++w)
            for (uint64_t word = words[w]; word; word &= word - 1)
                refs.push_back({uint32_t(column), uint32_t(w * 64 + size_t(std::countr_zero(word)))});
    }
    sqlite3_result_int64(result, int64_t(refs.size() - first));
}

} // namespace

int textColumnOf(NameKind kind) { return kKindColumn[size_t(kind)]; }

namespace {

// Beyond this many, the terms met are forgotten rather than kept: a new one
// is then written again, which changes nothing but time.
constexpr size_t kMostTermsRemembered = size_t(1) << 20;

struct TermHash {
    using is_transparent = void;
    size_t operator()(std::string_view term) const { return std::hash<std::string_view>()(term); }
};

} // namespace

struct Tokenizer::Impl {
    fts5_tokenizer methods{};
    Fts5Tokenizer *tokenizer = nullptr;
    std::unordered_set<std::string, TermHash, std::equal_to<>> met;
    std::vector<std::string> fresh;

    // Calls each(token) for the text's tokens in order.
    template <typename Each>
    void tokenize(std::string_view text, Each each) const
    {
        methods.xTokenize(tokenizer, &each, FTS5_TOKENIZE_DOCUMENT, text.data(), int(text.size()),
                          [](void *callback, int flags, const char *token, int size, int, int) {
                              if (!(flags & FTS5_TOKEN_COLOCATED))
                                  (*static_cast<Each *>(callback))(std::string_view(token, size_t(size)));
                              return SQLITE_OK;
                          });
    }
};

Tokenizer::Tokenizer(sqlite3 *db) : impl_(std::make_unique<Impl>())
{
    fts5_api *api = fts5Api(db);
    void *userData = nullptr;
    const char *args[] = {"remove_diacritics", "2"};
    if (api->xFindTokenizer(api, "unicode61", &userData, &impl_->methods) != SQLITE_OK ||
        impl_->methods.xCreate(userData, args, 2, &impl_->tokenizer) != SQLITE_OK)
        throw ArchiveError("This SQLite has no unicode61 tokenizer");
}

Tokenizer::~Tokenizer()
{
    if (impl_->tokenizer)
        impl_->methods.xDelete(impl_->tokenizer);
}

uint32_t Tokenizer::count(std::string_view text)
{
    uint32_t n = 0;
    impl_->tokenize(text, [&](std::string_view token) {
        ++n;
        if (impl_->met.contains(token))
            return;
        if (impl_->met.size() >= kMostTermsRemembered)
            impl_->met.clear();
        impl_->met.emplace(token);
        impl_->fresh.emplace_back(token);
    });
    return n;
}

std::vector<std::string> Tokenizer::tokens(std::string_view text) const
{
    std::vector<std::string> out;
    impl_->tokenize(text, [&](std::string_view token) { out.emplace_back(token); });
    return out;
}

std::vector<std::string> Tokenizer::takeNewTerms() { return std::exchange(impl_->fresh, {}); }

void Tokenizer::forgetTerms()
{
    impl_->met.clear();
    impl_->fresh.clear();
}

namespace {

// The folder an audio file lies in. Its path ends with its name, which the
// file column holds already: indexed twice, every word of a file's name would
// be matched twice.
std::string folderOf(const IndexedName &file)
{
    const std::string &path = file.detail;
    const size_t folderSize = path.size() - file.name.size();
    if (path.size() > file.name.size() && path.ends_with(file.name) && path[folderSize - 1] == '/')
        return path.substr(0, folderSize - 1);
    return path;
}

} // namespace

SessionText sessionText(const std::vector<IndexedName> &names, Tokenizer &tokens)
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
            add(kPathColumn, folderOf(name));  // empty too, to stay beside its name
    }
    text.bounds = encodeNameBounds(starts);
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
            const size_t at = separatorAt(column, start);
            start = at == std::string_view::npos ? column.size() + 1 : at + kSeparator.size();
            ++index;
        }
        if (column.empty() || start > column.size())
            return;
        const size_t at = separatorAt(column, start);
        out.push_back({kind, std::string(column.substr(start, at == std::string_view::npos ? std::string_view::npos
                                                                                          : at - start))});
    }
}

void registerMatchNames(sqlite3 *db)
{
    fts5_api *api = fts5Api(db);
    if (api->xCreateFunction(api, "match_names", nullptr, matchNames, nullptr) != SQLITE_OK ||
        api->xCreateFunction(api, "may_show", nullptr, mayShow, nullptr) != SQLITE_OK)
        throw ArchiveError("Cannot register the search functions");
}


} // namespace kestrix::archive
