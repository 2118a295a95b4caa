// kestrix-inspect: prints what a session file holds.
#include "ptx_reader.h"
#include "reader_json.h"
#include "reader_summary.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static int usage()
{
    std::fprintf(stderr, "usage: kestrix-inspect [--reader-json] FILE.ptx\n");
    return 2;
}

static std::string session_name_of(const std::string &path)
{
    std::string name = path.substr(path.find_last_of("/\\") + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

int main(int argc, char **argv)
{
    bool json = false;
    const char *path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--reader-json") == 0)
            json = true;
        else if (argv[i][0] == '-' && argv[i][1] != '\0')
            return usage();
        else if (!path)
            path = argv[i];
        else
            return usage();
    }
    if (!path)
        return usage();

    char *error = nullptr;
    ptx_session *s = ptx_session_open(path, &error);
    if (!s) {
        std::fprintf(stderr, "%s: %s\n", path, error ? error : "Failed to parse session");
        std::free(error);
        return 1;
    }
    const std::string text = json ? reader_json(s) + "\n" : reader_summary(s, session_name_of(path));
    std::fwrite(text.data(), 1, text.size(), stdout);
    ptx_session_free(s);
    return 0;
}
