// The idle message loop: a program showing one form, with no timers and no input, must not
// use the processor while it waits. Each run shows the demo-sized form through the SDL2
// backend, lets the application's real loop wait for two seconds of wall time, then closes
// the form from another thread through SDL's event queue, and reports the process's CPU time
// per wall second ("cpu_ms_per_wall_s"). With no DISPLAY, SDL's dummy video driver is used;
// it has no blocking wait of its own and polls every millisecond, so run the benchmark on an
// X display (Xvfb works) to measure the loop as users get it.
#include <benchmark/benchmark.h>

#include <SDL2/SDL.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "platform/backends/sdl/TSdlBackend.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TForm.h"

namespace {

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

// Asks SDL to close the window, as a window manager's close button would.
void PushCloseRequest(TNativeWindowId window) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = window;
    SDL_PushEvent(&event);
}

void BM_IdleLoop(benchmark::State& state) {
    const bool hasDisplay = std::getenv("DISPLAY") && *std::getenv("DISPLAY");
    if (!hasDisplay) setenv("SDL_VIDEODRIVER", "dummy", 1);
    const auto idleFor = std::chrono::milliseconds(state.range(0));
    double cpuMs = 0, wallMs = 0;
    for (auto _ : state) {
        std::string error;
        std::unique_ptr<TSdlBackend> backend = TSdlBackend::Create(error);
        if (!backend) {
            state.SkipWithError(error.c_str());
            return;
        }
        TApplication application(std::move(backend));
        TForm* form = application.CreateForm<TForm>();
        form->SetCaption("Idle");
        form->SetBounds(100, 100, 360, 280);
        form->Show();
        application.ProcessMessages();
        const TNativeWindowId window = form->NativeWindow();

        const double cpuStart = ProcessCpuMs();
        const auto wallStart = std::chrono::steady_clock::now();
        std::thread closer([window, idleFor] {
            std::this_thread::sleep_for(idleFor);
            PushCloseRequest(window);
        });
        application.Run();
        closer.join();
        cpuMs += ProcessCpuMs() - cpuStart;
        wallMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart).count();
    }
    state.counters["cpu_ms_per_wall_s"] = wallMs > 0 ? cpuMs / (wallMs / 1000.0) : 0;
    state.SetLabel(hasDisplay ? "x11" : "dummy video driver");
}

} // namespace

BENCHMARK(BM_IdleLoop)->Arg(2000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
