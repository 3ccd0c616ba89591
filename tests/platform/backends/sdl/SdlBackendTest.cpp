#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>

#include "platform/backends/sdl/SdlKeyMap.h"
#include "platform/backends/sdl/TSdlBackend.h"
#include "platform/core/VirtualKeys.h"

namespace {

// SDL's dummy video driver gives real windows with surfaces but shows nothing.
std::unique_ptr<TSdlBackend> CreateDummy() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string error;
    auto backend = TSdlBackend::Create(error);
    EXPECT_TRUE(backend) << error;
    return backend;
}

TColor SurfacePixel(TNativeWindowId id, int x, int y) {
    SDL_Surface* surface = SDL_GetWindowSurface(SDL_GetWindowFromID(id));
    Uint32 value = 0;
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    std::memcpy(&value, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return MakeColor(r, g, b);
}

} // namespace

TEST(SdlKeyMap, LettersDigitsAndNamedKeysMapToVirtualKeys) {
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a), 'A');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_z), 'Z');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_5), '5');
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RETURN), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_ENTER), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F4), 0x73);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RALT), VK_MENU);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_7), VK_NUMPAD0 + 7);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_AUDIOPLAY), 0);
}

TEST(SdlKeyMap, ModifiersAndButtonsBecomeShiftBits) {
    EXPECT_EQ(ShiftFromSdlModifiers(KMOD_LSHIFT | KMOD_RCTRL), std::uint32_t(ssShift | ssCtrl));
    EXPECT_EQ(ShiftFromSdlModifiers(KMOD_LALT), std::uint32_t(ssAlt));
    EXPECT_EQ(ShiftFromSdlButtons(SDL_BUTTON_LMASK | SDL_BUTTON_MMASK), std::uint32_t(ssLeft | ssMiddle));
}

TEST(SdlBackend, PresentCopies24BitPicturesWithTheirColours) {
    auto backend = CreateDummy();
    ASSERT_TRUE(backend);
    const TNativeWindowId id = backend->CreateWindow(TRect::FromBounds(10, 20, 8, 4), "t", {false, true});
    ASSERT_NE(id, 0u);
    TBitmap picture(8, 4);
    picture.Fill(MakeColor(10, 20, 30));
    picture.SetPixel(3, 2, MakeColor(200, 100, 50));
    backend->Present(id, picture);
    EXPECT_EQ(SurfacePixel(id, 0, 0), MakeColor(10, 20, 30));
    EXPECT_EQ(SurfacePixel(id, 3, 2), MakeColor(200, 100, 50));
}

TEST(SdlBackend, PresentCopies32BitPicturesWithTheirColours) {
    auto backend = CreateDummy();
    ASSERT_TRUE(backend);
    const TNativeWindowId id = backend->CreateWindow(TRect::FromBounds(0, 0, 5, 5), "t", {false, true});
    TBitmap picture(5, 5, TPixelFormat::pf32bit);
    picture.Fill(MakeColor(1, 2, 3));
    picture.SetPixel(4, 4, MakeColor(255, 0, 128));
    backend->Present(id, picture);
    EXPECT_EQ(SurfacePixel(id, 1, 1), MakeColor(1, 2, 3));
    EXPECT_EQ(SurfacePixel(id, 4, 4), MakeColor(255, 0, 128));
}

TEST(SdlBackend, WakeEndsAWaitWithoutADeadline) {
    auto backend = CreateDummy();
    ASSERT_TRUE(backend);
    backend->Wake();
    // Returns because of the wake event; the wake itself is not reported.
    for (const TBackendEvent& e : backend->WaitEvents(std::nullopt))
        EXPECT_NE(e.Kind, TBackendEventKind::KeyDown);
}

TEST(SdlBackend, WakeFromAnotherThreadEndsABlockingWait) {
    auto backend = CreateDummy();
    ASSERT_TRUE(backend);
    std::thread waker([&] { backend->Wake(); });
    // Without the wake this wait would never end.
    for (const TBackendEvent& e : backend->WaitEvents(std::nullopt))
        EXPECT_NE(e.Kind, TBackendEventKind::KeyDown);
    waker.join();
}

TEST(SdlBackend, APassedDeadlineReturnsAtOnce) {
    auto backend = CreateDummy();
    ASSERT_TRUE(backend);
    EXPECT_TRUE(backend->WaitEvents(backend->NowMs()).empty());
}

TEST(SdlBackend, DestroyedWindowsIgnoreFurtherCalls) {
    auto backend = CreateDummy();
    ASSERT_TRUE(backend);
    const TNativeWindowId id = backend->CreateWindow(TRect::FromBounds(0, 0, 5, 5), "t", {});
    backend->DestroyWindow(id);
    EXPECT_EQ(SDL_GetWindowFromID(id), nullptr);
    backend->SetWindowBounds(id, TRect::FromBounds(0, 0, 9, 9));
    backend->Present(id, TBitmap(5, 5));
    backend->CaptureMouse(id);
    backend->ShowWindow(id, true);
    EXPECT_NE(backend->CreateWindow(TRect::FromBounds(0, 0, 5, 5), "u", {}), 0u);
}

TEST(SdlBackend, RefusesDriversThatShowNothingUnlessAskedForByName) {
    struct TSavedVariable {
        std::string Name;
        std::optional<std::string> Value;
        explicit TSavedVariable(std::string name) : Name(std::move(name)) {
            if (const char* v = std::getenv(Name.c_str())) Value = v;
            unsetenv(Name.c_str());
        }
        ~TSavedVariable() {
            if (Value) setenv(Name.c_str(), Value->c_str(), 1);
        }
    };
    TSavedVariable display("DISPLAY"), wayland("WAYLAND_DISPLAY"), driver("SDL_VIDEODRIVER");
    std::string error;
    EXPECT_EQ(TSdlBackend::Create(error), nullptr);
    EXPECT_NE(error, "");
}

TEST(SdlBackend, ASurfaceIsCopiedWholeFirstAndThenOnlyWhereDamaged) {
    auto backend = CreateDummy();
    ASSERT_TRUE(backend);
    const TNativeWindowId id = backend->CreateWindow(TRect::FromBounds(0, 0, 12, 8), "t", {false, true});
    auto surface = std::make_shared<TBitmap>(12, 8, TPixelFormat::pf32bit);
    surface->Fill(MakeColor(10, 20, 30));
    backend->PresentSurface(id, surface, TRegion(TRect::FromBounds(0, 0, 1, 1)));
    EXPECT_EQ(SurfacePixel(id, 11, 7), MakeColor(10, 20, 30)) << "a fresh window image gets all of it";
    surface->Fill(MakeColor(200, 100, 50));
    backend->PresentSurface(id, surface, TRegion(TRect::FromBounds(2, 1, 4, 3)));
    EXPECT_EQ(SurfacePixel(id, 2, 1), MakeColor(200, 100, 50));
    EXPECT_EQ(SurfacePixel(id, 5, 3), MakeColor(200, 100, 50));
    EXPECT_EQ(SurfacePixel(id, 6, 3), MakeColor(10, 20, 30));
    EXPECT_EQ(SurfacePixel(id, 2, 4), MakeColor(10, 20, 30));
}

TEST(SdlBackend, AResizedWindowGetsTheWholeSurfaceAgain) {
    auto backend = CreateDummy();
    ASSERT_TRUE(backend);
    const TNativeWindowId id = backend->CreateWindow(TRect::FromBounds(0, 0, 6, 6), "t", {false, true});
    auto surface = std::make_shared<TBitmap>(6, 6, TPixelFormat::pf32bit);
    backend->PresentSurface(id, surface);
    backend->SetWindowBounds(id, TRect::FromBounds(0, 0, 10, 9));
    auto larger = std::make_shared<TBitmap>(10, 9, TPixelFormat::pf32bit);
    larger->Fill(MakeColor(1, 2, 3));
    backend->PresentSurface(id, larger, TRegion(TRect::FromBounds(0, 0, 1, 1)));
    EXPECT_EQ(SurfacePixel(id, 9, 8), MakeColor(1, 2, 3));
    EXPECT_EQ(SurfacePixel(id, 3, 3), MakeColor(1, 2, 3));
}
