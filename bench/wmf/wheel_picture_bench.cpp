// How long the wheel window takes to read a metafile and to paint it, for the pictures that
// cost the reader the most per byte, up to the reader's size limit: the reading and the
// window's paint (on the window's thread), and the drawing itself (off it). Prints
// milliseconds; run it under /usr/bin/time -f %M for the peak memory.
//
//   bench_wheel_picture            (offscreen when there is no display)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QApplication>
#include <QByteArray>
#include <QSignalSpy>

#include "core/common/error.h"
#include "tests/wmf/picture_bytes.h"
#include "ui/wheel_view.h"
#include "ui/wmf_painter.h"
#include "wmf/wmf_reader.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void measure(const char* name, const std::vector<std::uint8_t>& bytes)
{
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    auto start = Clock::now();
    try {
        const auto picture = vantrel::ui::MetafilePicture::fromBytes(data);
        const double readMs = msSince(start);
        vantrel::ui::WheelView view;
        view.resize(614, 450);
        view.setPicture(picture);
        QSignalSpy drawn(&view, &vantrel::ui::WheelView::pictureDrawn);
        start = Clock::now();
        view.grab();
        const double paintMs = msSince(start);
        drawn.wait(600000);
        std::printf("%-14s %9zu bytes  read %7.1f ms  window paint %5.1f ms  drawing %9.1f ms\n",
                    name, bytes.size(), readMs, paintMs, msSince(start));
    } catch (const vantrel::core::VantrelError& error) {
        std::printf("%-14s %9zu bytes  refused after %7.1f ms: %s\n", name, bytes.size(),
                    msSince(start), error.what());
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    using vantrel::testing::manyCommands;
    using vantrel::testing::manyObjects;
    for (const std::size_t kb : {60, 120, 240, 480})
        measure(("objects " + std::to_string(kb) + "K").c_str(), manyObjects(kb * 1024));
    if (argc > 1 && std::string(argv[1]) == "--quick")
        return 0;
    measure("objects 16M", manyObjects(vantrel::wmf::kMaxPictureBytes - 16));
    // 24 bytes make two commands: 600K is about the most the reader accepts.
    for (const std::size_t kb : {480, 585, 4096})
        measure(("commands " + std::to_string(kb) + "K").c_str(), manyCommands(kb * 1024));
    measure("commands 16M", manyCommands(vantrel::wmf::kMaxPictureBytes - 64));
    return 0;
}
