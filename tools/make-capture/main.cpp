// make-capture: turns the runner's 8-bit screen files into one animated GIF.
//   make-capture OUT.gif [--delay CS] FRAME.bmp... [--delay CS FRAME.bmp...]...
#include "bmp_reader.h"
#include "gif_encoder.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view usage =
    "usage: make-capture [--full-frames] OUT.gif [--delay CS] FRAME.bmp...\n"
    "Writes the 8-bit BMPs, in the order given, as one animated GIF that loops\n"
    "forever. The first frame's palette is the global colour table.\n"
    "  --delay CS      hundredths of a second for each frame after it, up to the\n"
    "                  next --delay (default 4: one game tick)\n"
    "  --full-frames   store every frame whole, not just what changed\n";

bool ParseDelay(std::string_view text, int& delay) {
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), delay);
    return status == std::errc() && end == text.data() + text.size() && delay >= 0 &&
           delay <= 65535;
}

struct FrameFile {
    std::string path;
    int delayCentiseconds = 4;
};

} // namespace

int main(int argc, char** argv) {
    GifOptions options;
    std::string output;
    std::vector<FrameFile> frames;
    int delay = 4;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << usage;
            return 0;
        }
        if (arg == "--delay") {
            if (i + 1 >= argc || !ParseDelay(argv[i + 1], delay)) {
                std::cerr << "make-capture: --delay needs 0..65535 hundredths of a second\n";
                return 2;
            }
            ++i;
        } else if (arg == "--full-frames") {
            options.onlyChangedRect = false;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::cerr << "make-capture: unknown option '" << arg << "'\n" << usage;
            return 2;
        } else if (output.empty()) {
            output = arg;
        } else {
            frames.push_back({std::string(arg), delay});
        }
    }
    if (frames.empty()) {
        std::cerr << usage;
        return 2;
    }

    GifEncoder encoder(options);
    for (const FrameFile& file : frames) {
        std::string error;
        const auto frame = ReadIndexedBmp(file.path, error);
        if (!frame || !encoder.AddFrame(*frame, file.delayCentiseconds, error)) {
            std::cerr << "make-capture: " << error << '\n';
            return 1;
        }
    }
    const std::vector<std::uint8_t> gif = encoder.Finish();
    std::ofstream out(output, std::ios::binary);
    out.write(reinterpret_cast<const char*>(gif.data()), static_cast<std::streamsize>(gif.size()));
    out.close();
    if (!out) {
        std::cerr << "make-capture: cannot write " << output << '\n';
        return 1;
    }
    std::cout << output << ": " << encoder.FrameCount() << " frames, " << gif.size() << " bytes\n";
    return 0;
}
