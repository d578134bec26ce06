// Fuzzes the archive reader and the unpacking with arbitrary archive files. Each input is
// written as res134.pak into a scratch game folder; the reader opens it and extracts every
// entry to one fixed file, then the unpacking runs over it and the tree is deleted again.
// Besides crashes and leaks, it stops on any file left or written outside the game folder
// and on an extracted file whose length is not the entry's.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "resources/pak_archive.h"
#include "resources/unpack.h"

namespace fs = std::filesystem;
using namespace tarrabel;

namespace {

fs::path g_scratch;

void RemoveScratch() {
    std::error_code ec;
    if (!g_scratch.empty()) fs::remove_all(g_scratch, ec);
}

[[noreturn]] void Stop(const std::string& why) {
    std::fprintf(stderr, "pak_fuzz: %s\n", why.c_str());
    std::abort();
}

// The scratch folder holds only the game folder with its archive and the extraction file.
void CheckNothingStrayed() {
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(g_scratch)) {
        const fs::path rel = fs::relative(e.path(), g_scratch);
        if (rel != "app" && rel != "app/res134.pak" && rel != "out" && rel != "out/entry.bin")
            Stop("stray file " + e.path().string());
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string templ = (fs::temp_directory_path() / "pak-fuzz-XXXXXX").string();
    if (!mkdtemp(templ.data())) Stop("no scratch folder");
    g_scratch = templ;
    fs::create_directory(g_scratch / "app");
    fs::create_directory(g_scratch / "out");
    std::atexit(RemoveScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path app = g_scratch / "app";
    const fs::path pakPath = app / "res134.pak";
    {
        std::ofstream out(pakPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }

    PakArchive pak;
    std::string error;
    if (pak.Open(pakPath.string(), &error)) {
        const fs::path target = g_scratch / "out" / "entry.bin";
        // Every index from one before the first entry to one past the last (65 at most).
        const int32_t count = pak.EntryCount() < 65 ? pak.EntryCount() : 65;
        for (int32_t i = -1; i <= count; ++i) {
            const bool saved = pak.SaveEntry(i, target.string(), &error);
            if (saved != (i >= 0 && i < pak.EntryCount())) Stop("wrong result for an index");
            if (saved && fs::file_size(target) != uintmax_t(pak.EntrySize(i)))
                Stop("extracted length differs from the entry's");
        }
        fs::remove(target);
    } else if (!pak.Path().empty() || pak.EntryCount() != 0) {
        Stop("a refused archive changed the reader");
    }

    ResourceTree tree;
    UnpackOptions options;
    options.ArchiveFolder = app;
    const PictureConverter convert = [](const fs::path& jpeg, const fs::path& bmp, std::string*) {
        std::error_code ec;
        return fs::copy_file(jpeg, bmp, fs::copy_options::overwrite_existing, ec);
    };
    if (UnpackResources(options, convert, &tree, &error)) {
        if (tree.Root != app) Stop("unpacked somewhere else");
        if (!DeleteResources(tree, &error)) Stop(error);
    }
    fs::remove(pakPath);
    CheckNothingStrayed();
    return 0;
}
