// vek-sim: simulated units on pseudo-terminals. Prints the device path of
// each unit, one a line, then serves until interrupted.

#include <signal.h>

#include <array>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "pty_host.h"

namespace {

using namespace vek::sim;

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) { stopRequested = 1; }

// Everything one unit is told on the command line.
struct UnitSetup {
    Identity id;
    Faults faults;
    ConfigState config = ConfigState::Valid;
    bool notice = false;
    bool paced = false;
};

bool toInt(const std::string& s, long long& out, long long lo, long long hi, int base = 10) {
    const char* end = s.data() + s.size();
    const char* first = s.data();
    if (base == 16 && s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) first += 2;
    const auto [ptr, ec] = std::from_chars(first, end, out, base);
    return ec == std::errc() && ptr == end && first != end && out >= lo && out <= hi;
}

// Applies an option to a unit; returns an error text, empty when it took.
using Apply = std::string (*)(UnitSetup&, const std::string&);

struct Option {
    const char* name;
    const char* value;  // what the value is, for the help; nullptr: the option takes none
    const char* help;
    Apply apply;
};

std::string intInto(int& field, const std::string& v, long long lo, long long hi) {
    long long n = 0;
    if (!toInt(v, n, lo, hi)) return "needs a whole number from " + std::to_string(lo) + " to " + std::to_string(hi);
    field = static_cast<int>(n);
    return {};
}

std::string idWordsInto(std::array<std::uint32_t, 3>& field, const std::string& v) {
    std::stringstream ss(v);
    std::string w;
    std::array<std::uint32_t, 3> words{};
    int k = 0;
    for (; k < 3 && std::getline(ss, w, ','); ++k) {
        long long n = 0;
        if (!toInt(w, n, 0, 0xFFFFFFFFLL, 16)) return "words must be hexadecimal, at most 8 digits each";
        words[static_cast<std::size_t>(k)] = static_cast<std::uint32_t>(n);
    }
    if (k != 3 || std::getline(ss, w, ',')) return "needs three words separated by commas";
    field = words;
    return {};
}

constexpr long long kBlockMax = 65535;
constexpr long long kMsMax = 60000;

const Option kOptions[] = {
    {"version", "A.B.C.D", "unit type and firmware (default 4.0.2.47)",
     [](UnitSetup& u, const std::string& v) -> std::string {
         unsigned a, b, c, d;
         char tail;
         if (std::sscanf(v.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4 || a > 255 || b > 255 || c > 255 ||
             d > 255)
             return "must be A.B.C.D, each 0..255";
         u.id.version = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c),
                         static_cast<std::uint8_t>(d)};
         return {};
     }},
    {"mode", "N", "0 = operation mode, other = maintenance (default 1)",
     [](UnitSetup& u, const std::string& v) -> std::string {
         long long n = 0;
         if (!toInt(v, n, 0, 255)) return "needs a number from 0 to 255";
         u.id.mode = static_cast<std::uint8_t>(n);
         return {};
     }},
    {"id", "W1,W2,W3", "identifier words as sent, hexadecimal (the list shows W3 first)",
     [](UnitSetup& u, const std::string& v) { return idWordsInto(u.id.id, v); }},
    {"base", "ADDR", "configuration base address, hexadecimal",
     [](UnitSetup& u, const std::string& v) -> std::string {
         long long n = 0;
         if (!toInt(v, n, 0, 0xFFFFFFFFLL, 16)) return "needs a hexadecimal address of at most 8 digits";
         u.id.configBase = static_cast<std::uint32_t>(n);
         return {};
     }},
    {"config", "STATE", "valid | never-written | wrong-magic | wrong-sum | a232-576",
     [](UnitSetup& u, const std::string& v) -> std::string {
         if (v == "valid") u.config = ConfigState::Valid;
         else if (v == "never-written") u.config = ConfigState::NeverWritten;
         else if (v == "wrong-magic") u.config = ConfigState::WrongMagic;
         else if (v == "wrong-sum") u.config = ConfigState::WrongSum;
         else if (v == "a232-576") u.config = ConfigState::A232_576;
         else return "unknown configuration state " + v;
         return {};
     }},
    {"operation-notice", nullptr, "also send the operation-mode notice on connect",
     [](UnitSetup& u, const std::string&) -> std::string {
         u.notice = true;
         return {};
     }},
    {"paced", nullptr, "pace bytes at 3,686,400 bit/s with a 1 ms turnaround",
     [](UnitSetup& u, const std::string&) -> std::string {
         u.paced = true;
         return {};
     }},
    {"silent", nullptr, "answer nothing",
     [](UnitSetup& u, const std::string&) -> std::string {
         u.faults.silent = true;
         return {};
     }},
    {"delay", "MS", "delay every reply",
     [](UnitSetup& u, const std::string& v) { return intInto(u.faults.replyDelayMs, v, 0, kMsMax); }},
    {"split", "N", "send the announcement in N pieces, 20 ms apart",
     [](UnitSetup& u, const std::string& v) {
         u.faults.damage.splitGapMs = 20;
         return intInto(u.faults.damage.splitPieces, v, 1, 1000);
     }},
    {"drop-ack", "N", "drop the acknowledgement of block N once",
     [](UnitSetup& u, const std::string& v) { return intInto(u.faults.dropAckOfBlock, v, 1, kBlockMax); }},
    {"drop-ack-always", "N", "drop the acknowledgement of block N every time",
     [](UnitSetup& u, const std::string& v) {
         u.faults.dropAckAlways = true;
         return intInto(u.faults.dropAckOfBlock, v, 1, kBlockMax);
     }},
    {"refuse", "N", "refuse block N (every time)",
     [](UnitSetup& u, const std::string& v) { return intInto(u.faults.refuseBlock, v, 1, kBlockMax); }},
    {"wrong-ack", "N", "acknowledge block N as N - 1, once",
     [](UnitSetup& u, const std::string& v) { return intInto(u.faults.wrongAckForBlock, v, 1, kBlockMax); }},
    {"ack-offset", "D", "take every block but acknowledge block n as n + D\n(D may be negative)",
     [](UnitSetup& u, const std::string& v) { return intInto(u.faults.ackOffset, v, -kBlockMax, kBlockMax); }},
    {"read-wrong-block", nullptr, "answer every memory read as the block before it\n(the first as the second)",
     [](UnitSetup& u, const std::string&) -> std::string {
         u.faults.readWrongBlock = true;
         return {};
     }},
    {"silent-after-reads", "N", "leave memory reads beyond the first N unanswered",
     [](UnitSetup& u, const std::string& v) { return intInto(u.faults.silentAfterReads, v, 0, 1000000); }},
    {"vanish-at-block", "N", "disappear (as a pulled cable) when block N arrives",
     [](UnitSetup& u, const std::string& v) { return intInto(u.faults.vanishAtBlock, v, 1, kBlockMax); }},
    {"store-config-wrong", "OFFSET",
     "store a completed configuration write with the\nbyte at OFFSET (0..2031) inverted",
     [](UnitSetup& u, const std::string& v) {
         return intInto(u.faults.storeConfigWrongAt, v, 0, static_cast<long long>(kConfigSize) - 1);
     }},
    {"stray-headers", nullptr,
     "put a header announcing 500 bytes, with nothing\nbehind it, before and after every frame",
     [](UnitSetup& u, const std::string&) -> std::string {
         u.faults.strayHeaders = true;
         return {};
     }},
    {"firmware-not-taken", nullptr,
     "take a firmware transfer and restart, but come back\nwith the old version",
     [](UnitSetup& u, const std::string&) -> std::string {
         u.faults.firmwareNotTaken = true;
         return {};
     }},
    {"return-as", "W1,W2,W3",
     "after the restart with new firmware, a different unit\nannounces itself: these identifier words, hexadecimal\n(for all units: word 3 plus K - 1 for unit K, as --id)",
     [](UnitSetup& u, const std::string& v) {
         std::array<std::uint32_t, 3> words{};
         std::string error = idWordsInto(words, v);
         if (error.empty()) u.faults.returnAs = words;
         return error;
     }},
    {"trickle", "US",
     "write every reply one byte a write, US microseconds\napart (with --paced: at least a byte's 2.7 us)",
     [](UnitSetup& u, const std::string& v) { return intInto(u.faults.trickleGapUs, v, 0, 1000000); }},
    {"flood", "US", "while the port is open, a frame for another\ndestination every US microseconds",
     [](UnitSetup& u, const std::string& v) { return intInto(u.faults.floodIntervalUs, v, 1, 60000000); }},
};

const Option* findOption(const std::string& name) {
    for (const Option& o : kOptions)
        if (name == o.name) return &o;
    return nullptr;
}

void usage(std::ostream& out) {
    out << "usage: vek-sim [--units N] [--unit K:OPTION[=VALUE]]... [options]\n"
           "Serves simulated units on pseudo-terminals and prints the device path of each, one a line,\n"
           "in unit order; runs until interrupted (Ctrl+C, SIGTERM).\n\n"
           "  --units N                  start N units, each on its own pty (default 1); unit K (from 1)\n"
           "                             has identifier word 3 plus K - 1\n"
           "  --unit K:OPTION[=VALUE]    give unit K an option of its own, on top of the ones for all,\n"
           "                             e.g. --unit 3:vanish-at-block=500 --unit 2:silent\n"
           "  -h, --help                 this text\n\n"
           "Options for every unit (--NAME VALUE or --NAME=VALUE); the faults are all off by default:\n";
    for (const Option& o : kOptions) {
        std::string left = std::string("  --") + o.name + (o.value ? std::string(" ") + o.value : std::string());
        if (left.size() < 29) left.resize(29, ' ');
        else left += "\n" + std::string(29, ' ');
        std::string help = o.help;
        for (std::size_t at = help.find('\n'); at != std::string::npos; at = help.find('\n', at + 1))
            help.insert(at + 1, 29, ' ');
        out << left << help << "\n";
    }
}

int fail(const std::string& message) {
    std::cerr << "vek-sim: " << message << "\n";
    return 2;
}

struct PerUnit {
    long long unit;
    const Option* option;
    std::string value;
};

}  // namespace

int main(int argc, char** argv) {
    UnitSetup all;
    long long units = 1;
    std::vector<PerUnit> perUnit;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "-h" || a == "--help") {
            usage(std::cout);
            return 0;
        }
        if (a.rfind("--", 0) != 0) {
            usage(std::cerr);
            return fail("unexpected argument " + a);
        }
        std::string name = a.substr(2), value;
        bool hasValue = false;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            hasValue = true;
        }
        auto takeValue = [&]() -> bool {
            if (hasValue) return true;
            if (i + 1 >= argc) return false;
            value = argv[++i];
            return hasValue = true;
        };
        if (name == "units") {
            if (!takeValue()) return fail("--units needs a value");
            if (!toInt(value, units, 1, 256)) return fail("--units needs a number from 1 to 256");
            continue;
        }
        if (name == "unit") {
            if (!takeValue()) return fail("--unit needs K:OPTION[=VALUE]");
            const auto colon = value.find(':');
            long long k = 0;
            if (colon == std::string::npos || !toInt(value.substr(0, colon), k, 1, 256))
                return fail("--unit needs K:OPTION[=VALUE] with K a unit number from 1, not " + value);
            std::string opt = value.substr(colon + 1), optValue;
            const auto eq = opt.find('=');
            if (eq != std::string::npos) {
                optValue = opt.substr(eq + 1);
                opt.resize(eq);
            }
            const Option* o = findOption(opt);
            if (!o) return fail("--unit " + value + ": unknown option " + opt);
            if (o->value && eq == std::string::npos)
                return fail("--unit " + value + ": " + opt + " needs =" + o->value);
            if (!o->value && eq != std::string::npos) return fail("--unit " + value + ": " + opt + " takes no value");
            perUnit.push_back({k, o, optValue});
            continue;
        }
        const Option* o = findOption(name);
        if (!o) {
            usage(std::cerr);
            return fail("unknown option " + a);
        }
        if (o->value && !takeValue()) return fail("--" + name + " needs a value (" + o->value + ")");
        if (!o->value && hasValue) return fail("--" + name + " takes no value");
        if (const std::string error = o->apply(all, value); !error.empty()) return fail("--" + name + ": " + error);
    }

    std::vector<UnitSetup> setups;
    for (long long k = 1; k <= units; ++k) {
        UnitSetup s = all;
        s.id.id[2] += static_cast<std::uint32_t>(k - 1);
        // Units that come back as others must still come back as different ones.
        if (s.faults.returnAs) (*s.faults.returnAs)[2] += static_cast<std::uint32_t>(k - 1);
        setups.push_back(s);
    }
    for (const PerUnit& p : perUnit) {
        if (p.unit > units)
            return fail("--unit " + std::to_string(p.unit) + ": there " +
                        (units == 1 ? "is only 1 unit" : "are only " + std::to_string(units) + " units"));
        if (const std::string error = p.option->apply(setups[static_cast<std::size_t>(p.unit - 1)], p.value);
            !error.empty())
            return fail("--unit " + std::to_string(p.unit) + ":" + p.option->name + ": " + error);
    }

    std::vector<std::unique_ptr<PtyHost>> hosts;
    for (const UnitSetup& s : setups) {
        auto host = std::make_unique<PtyHost>(s.id);
        host->withUnit([&](UnitSim& u) {
            u.setFaults(s.faults);
            u.setConfig(makeConfig(s.config));
            u.setOperationNotice(s.notice);
            return 0;
        });
        if (s.paced) host->setPacing({3686400, std::chrono::milliseconds(1)});
        try {
            host->start();
        } catch (const std::exception& e) {
            std::cerr << "vek-sim: " << e.what() << "\n";
            return 1;
        }
        hosts.push_back(std::move(host));
    }

    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    for (const auto& h : hosts) std::cout << h->devicePath() << "\n";
    std::cout.flush();

    struct Seen {
        int connections = 0;
        std::size_t problems = 0;
        bool unplugged = false;
    };
    std::vector<Seen> seen(hosts.size());
    auto prefix = [&](std::size_t k) {
        return hosts.size() == 1 ? std::string("vek-sim: ") : "vek-sim: unit " + std::to_string(k + 1) + ": ";
    };
    while (!stopRequested) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        for (std::size_t k = 0; k < hosts.size(); ++k) {
            PtyHost& h = *hosts[k];
            Seen& s = seen[k];
            if (h.connections() != s.connections) {
                s.connections = h.connections();
                std::cerr << prefix(k) << "tool connected (" << s.connections << ")\n";
            }
            if (h.unplugged() && !s.unplugged) {
                s.unplugged = true;
                std::cerr << prefix(k) << "unplugged; " << h.devicePath() << " is gone\n";
            }
            h.withUnit([&](UnitSim& u) {
                for (; s.problems < u.problems().size(); ++s.problems)
                    std::cerr << prefix(k) << u.problems()[s.problems] << "\n";
                return 0;
            });
        }
    }
    for (auto& h : hosts) h->stop();
    return 0;
}
