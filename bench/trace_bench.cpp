// What the serial trace costs the tool per frame, on its own: a firmware
// update's frames (1,900 blocks of 54 bytes of payload and their
// acknowledgements) handed to the trace as the port hands them, then the
// lines made and written. Prints the time per frame of each part and judges
// nothing.
//
//   build-bench/bench/trace_bench [--runs N]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "link/serial_trace.h"
#include "protocol/frame.h"

using namespace vek;

namespace {

QByteArray bytesOf(const protocol::Bytes& b) {
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 5;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    constexpr int kBlocks = 1900;
    std::vector<QByteArray> blocks, acks;
    for (int n = 1; n <= kBlocks; ++n) {
        const std::vector<std::uint8_t> data(48, static_cast<std::uint8_t>(n));
        blocks.push_back(bytesOf(protocol::blockFrame(protocol::CmdFirmwareBlock, 0xB9A8, static_cast<std::uint16_t>(n),
                                                      kBlocks, data)));
        const std::vector<std::uint8_t> ack{static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)};
        acks.push_back(bytesOf(protocol::buildFrame(protocol::RspAck, ack, 0x12)));
    }
    const QString port = QStringLiteral("/dev/ttyACM0");
    QTemporaryDir dir;
    std::vector<double> handed, written;
    for (int r = 0; r < runs; ++r) {
        link::SerialTrace trace;
        if (!trace.open(dir.filePath(QStringLiteral("trace.txt"))).isEmpty()) return 1;
        QElapsedTimer clock;
        clock.start();
        for (int n = 0; n < kBlocks; ++n) {
            trace.sent(port, blocks[static_cast<std::size_t>(n)]);
            trace.received(port, acks[static_cast<std::size_t>(n)]);
        }
        handed.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e3 / (2 * kBlocks));
        clock.restart();
        trace.closed(port);  // makes and writes every line
        written.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e3 / (2 * kBlocks));
    }
    std::sort(handed.begin(), handed.end());
    std::sort(written.begin(), written.end());
    std::printf("serial trace, %d frames a run, medians of %d runs\n", 2 * kBlocks, runs);
    std::printf("  handed over by the port (on the path to the next frame): %6.2f us a frame\n", handed[handed.size() / 2]);
    std::printf("  lines made and written (a moment later):                 %6.2f us a frame\n",
                written[written.size() / 2]);
    return 0;
}
