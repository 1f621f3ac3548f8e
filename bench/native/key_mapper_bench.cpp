// Cost of the key-mapping core per key event, against a pass-through over the
// same stream. The stream is typing in both modes, on the English and the
// Russian layout, with Shift, releases and our own output coming back.
#include "key_mapper.h"
#include "modifiers.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tamga::hook;

class StreamBuilder {
public:
    void type(std::string_view text, MappingMode mode, std::uint16_t language) {
        for (char c : text) {
            std::uint32_t key = vk::space;
            bool shift = false;
            if (c >= 'a' && c <= 'z') key = static_cast<std::uint32_t>(c - 'a' + 'A');
            if (c >= 'A' && c <= 'Z') key = static_cast<std::uint32_t>(c), shift = true;
            if (c >= '0' && c <= '9') key = static_cast<std::uint32_t>(c);
            if (c == '\'') key = vk::oem_7;
            if (shift) add(vk::left_shift, true, mode, language);
            add(key, true, mode, language);
            add(key, false, mode, language);
            if (shift) add(vk::left_shift, false, mode, language);
        }
    }

    std::vector<KeyEvent> events;

private:
    // Records the event, and after any output the events it sends back
    // through the hook (a press and a release per unit and Backspace).
    void add(std::uint32_t key, bool down, MappingMode mode, std::uint16_t language) {
        KeyEvent event;
        event.virtual_key = key;
        event.key_down = down;
        event.modifiers = tracker_.held();
        event.mode = mode;
        event.language = language;
        event.window = 1;
        tracker_.observe(key, down);
        events.push_back(event);
        const KeyDecision decision = mapper_.decide(event);
        if (decision.action != KeyAction::Emit) return;
        KeyEvent ours;
        ours.injected = ours.ours = true;
        for (int i = 0; i < 2 * (decision.backspaces + decision.text_length); ++i) {
            ours.virtual_key = i < 2 * decision.backspaces ? vk::back : vk::packet;
            ours.key_down = i % 2 == 0;
            events.push_back(ours);
        }
    }

    KeyMapper mapper_;
    ModifierTracker tracker_;
};

const std::vector<KeyEvent>& typing_stream() {
    static const std::vector<KeyEvent> events = [] {
        StreamBuilder stream;
        for (int i = 0; i < 20; ++i) {
            stream.type("Uyghur tilining yeziqida shu herpler bar: ch gh ng sh zh e' i' o' u'. ", MappingMode::Pairs,
                        0x0409);
            stream.type("Men 1ki 6e5r 8ayat8a 3ang 2a 4a 7e. ", MappingMode::Letters, 0x0409);
            stream.type("Bu 1 2 3 4 5 6 7 8 9 0 tekst. ", MappingMode::Letters, 0x0419);
        }
        return stream.events;
    }();
    return events;
}

// The least a hook could do: look at the event and let it through.
[[gnu::noinline]] KeyDecision pass_through(const KeyEvent& event) {
    KeyDecision decision;
    if (event.ours) decision.action = KeyAction::Pass;
    return decision;
}

void count_events(benchmark::State& state, std::size_t per_iteration) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * per_iteration));
}

void BM_PassThrough(benchmark::State& state) {
    const std::vector<KeyEvent>& events = typing_stream();
    for (auto _ : state) {
        for (const KeyEvent& event : events) benchmark::DoNotOptimize(pass_through(event));
    }
    count_events(state, events.size());
}
BENCHMARK(BM_PassThrough);

void BM_KeyMapper(benchmark::State& state) {
    const std::vector<KeyEvent>& events = typing_stream();
    KeyMapper mapper;
    for (auto _ : state) {
        for (const KeyEvent& event : events) benchmark::DoNotOptimize(mapper.decide(event));
    }
    count_events(state, events.size());
}
BENCHMARK(BM_KeyMapper);

// Prints the table, then the cost per event and the mapper's ratio to the
// pass-through.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        const double events = static_cast<double>(typing_stream().size());
        for (const Run& run : runs) {
            ns_per_event_[run.benchmark_name()] =
                run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                benchmark::GetTimeUnitMultiplier(run.time_unit) / events;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double baseline = ns_per_event_["BM_PassThrough"];
        const double mapper = ns_per_event_["BM_KeyMapper"];
        if (baseline > 0 && mapper > 0) {
            std::printf("\n%-28s %8s\n", "per key event", "ns");
            std::printf("%-28s %8.2f\n%-28s %8.2f\n", "pass-through (baseline)", baseline, "key mapper", mapper);
            std::printf("%-28s %8.2f\n", "ratio mapper / baseline", mapper / baseline);
        }
    }

private:
    std::map<std::string, double> ns_per_event_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
