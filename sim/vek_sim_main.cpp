// vek-sim: a simulated unit on a pseudo-terminal. Prints the device path to
// open, then serves until interrupted.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "pty_host.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) { stopRequested = 1; }

void usage(std::ostream& out) {
    out <<
        "usage: vek-sim [options]\n"
        "  --version A.B.C.D     unit type and firmware (default 4.0.2.47)\n"
        "  --mode N              0 = operation mode, other = maintenance (default 1)\n"
        "  --id W1,W2,W3         identifier words as sent, hexadecimal\n"
        "  --base ADDR           configuration base address, hexadecimal\n"
        "  --config STATE        valid | never-written | wrong-magic | wrong-sum | a232-576\n"
        "  --operation-notice    also send the operation-mode notice on connect\n"
        "  --silent              answer nothing\n"
        "  --drop-ack N          drop the acknowledgement of block N once\n"
        "  --refuse N            refuse block N\n"
        "  --delay MS            delay every reply\n"
        "  --split N             send the announcement in N pieces\n"
        "  --paced               pace bytes at 3,686,400 bit/s with a 1 ms turnaround\n";
}

bool parseVersion(const std::string& s, std::array<std::uint8_t, 4>& v) {
    unsigned a, b, c, d;
    if (std::sscanf(s.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d) != 4 || a > 255 || b > 255 || c > 255 || d > 255)
        return false;
    v = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c),
         static_cast<std::uint8_t>(d)};
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vek::sim;
    Identity id;
    Faults faults;
    ConfigState config = ConfigState::Valid;
    bool notice = false;
    bool paced = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "vek-sim: " << a << " needs a value\n";
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--version") {
            if (!parseVersion(next(), id.version)) {
                std::cerr << "vek-sim: version must be A.B.C.D, each 0..255\n";
                return 2;
            }
        } else if (a == "--mode") {
            id.mode = static_cast<std::uint8_t>(std::stoul(next()));
        } else if (a == "--id") {
            std::stringstream ss(next());
            std::string w;
            for (int k = 0; k < 3 && std::getline(ss, w, ','); ++k)
                id.id[static_cast<std::size_t>(k)] = static_cast<std::uint32_t>(std::stoul(w, nullptr, 16));
        } else if (a == "--base") {
            id.configBase = static_cast<std::uint32_t>(std::stoul(next(), nullptr, 16));
        } else if (a == "--config") {
            const std::string s = next();
            if (s == "valid") config = ConfigState::Valid;
            else if (s == "never-written") config = ConfigState::NeverWritten;
            else if (s == "wrong-magic") config = ConfigState::WrongMagic;
            else if (s == "wrong-sum") config = ConfigState::WrongSum;
            else if (s == "a232-576") config = ConfigState::A232_576;
            else {
                std::cerr << "vek-sim: unknown configuration state " << s << "\n";
                return 2;
            }
        } else if (a == "--operation-notice") {
            notice = true;
        } else if (a == "--silent") {
            faults.silent = true;
        } else if (a == "--drop-ack") {
            faults.dropAckOfBlock = std::stoi(next());
        } else if (a == "--refuse") {
            faults.refuseBlock = std::stoi(next());
        } else if (a == "--delay") {
            faults.replyDelayMs = std::stoi(next());
        } else if (a == "--split") {
            faults.damage.splitPieces = std::stoi(next());
            faults.damage.splitGapMs = 20;
        } else if (a == "--paced") {
            paced = true;
        } else if (a == "-h" || a == "--help") {
            usage(std::cout);
            return 0;
        } else {
            std::cerr << "vek-sim: unknown option " << a << "\n";
            usage(std::cerr);
            return 2;
        }
    }

    PtyHost host(id);
    host.withUnit([&](UnitSim& u) {
        u.setFaults(faults);
        u.setConfig(makeConfig(config));
        u.setOperationNotice(notice);
        return 0;
    });
    if (paced) host.setPacing({3686400, std::chrono::milliseconds(1)});
    try {
        host.start();
    } catch (const std::exception& e) {
        std::cerr << "vek-sim: " << e.what() << "\n";
        return 1;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::cout << host.devicePath() << std::endl;

    int connections = 0;
    std::size_t problems = 0;
    while (!stopRequested) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (host.connections() != connections) {
            connections = host.connections();
            std::cerr << "vek-sim: tool connected (" << connections << ")\n";
        }
        host.withUnit([&](UnitSim& u) {
            for (; problems < u.problems().size(); ++problems) std::cerr << "vek-sim: " << u.problems()[problems] << "\n";
            return 0;
        });
    }
    return 0;
}
