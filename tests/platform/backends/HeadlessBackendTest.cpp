#include <gtest/gtest.h>

#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/core/VirtualKeys.h"
#include "platform/graphics/SystemColors.h"

namespace {

TNativeWindowStyle Shown(bool stayOnTop = false) {
    return TNativeWindowStyle{stayOnTop, true};
}

TBitmap Filled(int w, int h, TColor c) {
    TBitmap b(w, h);
    b.Fill(c);
    return b;
}

} // namespace

TEST(HeadlessBackend, ScreenIsFullHdByDefault) {
    THeadlessBackend backend;
    EXPECT_EQ(backend.ScreenSize(), (TSize{1920, 1080}));
    EXPECT_EQ(backend.Name(), "headless");
}

TEST(HeadlessBackend, ResizingTheScreenReportsIt) {
    THeadlessBackend backend;
    backend.ResizeScreen({640, 480});
    EXPECT_EQ(backend.ScreenSize(), (TSize{640, 480}));
    const auto events = backend.WaitEvents(std::nullopt);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Kind, TBackendEventKind::ScreenResized);
}

TEST(HeadlessBackend, PressOnAnInactiveWindowActivatesItFirst) {
    THeadlessBackend backend;
    const TNativeWindowId a = backend.CreateWindow(TRect::FromBounds(0, 0, 100, 100), "a", Shown());
    const TNativeWindowId b = backend.CreateWindow(TRect::FromBounds(200, 0, 100, 100), "b", Shown());
    backend.RaiseWindow(a);
    backend.PressMouse({250, 50}, TMouseButton::mbLeft);
    const auto events = backend.WaitEvents(std::nullopt);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].Kind, TBackendEventKind::MouseMove);
    EXPECT_EQ(events[1].Kind, TBackendEventKind::Deactivate);
    EXPECT_EQ(events[1].Window, a);
    EXPECT_EQ(events[2].Kind, TBackendEventKind::Activate);
    EXPECT_EQ(events[2].Window, b);
    EXPECT_EQ(events[3].Kind, TBackendEventKind::MouseDown);
    EXPECT_EQ(events[3].Window, b);
    EXPECT_EQ(events[3].ScreenPos, (TPoint{250, 50}));
    EXPECT_EQ(events[3].Shift, std::uint32_t(ssLeft));
    EXPECT_EQ(backend.ActiveWindow(), b);
}

TEST(HeadlessBackend, MouseOverTheDesktopGoesToNoWindow) {
    THeadlessBackend backend;
    backend.CreateWindow(TRect::FromBounds(0, 0, 100, 100), "a", Shown());
    backend.MoveMouse({500, 500});
    EXPECT_EQ(backend.WaitEvents(std::nullopt).at(0).Window, 0u);
}

TEST(HeadlessBackend, HiddenWindowsGetNoMouse) {
    THeadlessBackend backend;
    backend.CreateWindow(TRect::FromBounds(0, 0, 100, 100), "a", TNativeWindowStyle{});
    backend.MoveMouse({50, 50});
    EXPECT_EQ(backend.WaitEvents(std::nullopt).at(0).Window, 0u);
}

TEST(HeadlessBackend, CaptureSendsMouseOutsideTheWindowToIt) {
    THeadlessBackend backend;
    const TNativeWindowId a = backend.CreateWindow(TRect::FromBounds(0, 0, 100, 100), "a", Shown());
    backend.CaptureMouse(a);
    backend.MoveMouse({900, 900});
    EXPECT_EQ(backend.WaitEvents(std::nullopt).at(0).Window, a);
    backend.CaptureMouse(0);
    backend.MoveMouse({901, 900});
    EXPECT_EQ(backend.WaitEvents(std::nullopt).at(0).Window, 0u);
}

TEST(HeadlessBackend, StayOnTopWindowsStayAboveRaisedWindows) {
    THeadlessBackend backend;
    const TNativeWindowId top = backend.CreateWindow(TRect::FromBounds(0, 0, 100, 100), "top", Shown(true));
    const TNativeWindowId normal = backend.CreateWindow(TRect::FromBounds(0, 0, 100, 100), "normal", Shown());
    backend.RaiseWindow(normal);
    EXPECT_EQ(backend.Screen().TopToBottom(), (std::vector<TNativeWindowId>{top, normal}));
    backend.MoveMouse({10, 10});
    EXPECT_EQ(backend.WaitEvents(std::nullopt).at(0).Window, top);
}

TEST(HeadlessBackend, RaisingBringsANormalWindowToTheTopOfItsBand) {
    THeadlessBackend backend;
    const TNativeWindowId a = backend.CreateWindow(TRect::FromBounds(0, 0, 10, 10), "a", Shown());
    const TNativeWindowId b = backend.CreateWindow(TRect::FromBounds(0, 0, 10, 10), "b", Shown());
    EXPECT_EQ(backend.Screen().TopToBottom(), (std::vector<TNativeWindowId>{b, a}));
    backend.RaiseWindow(a);
    EXPECT_EQ(backend.Screen().TopToBottom(), (std::vector<TNativeWindowId>{a, b}));
}

TEST(HeadlessBackend, RaisingAWindowKeepsTheWindowsItOwnsAboveIt) {
    THeadlessBackend backend;
    const TNativeWindowId owner = backend.CreateWindow(TRect::FromBounds(0, 0, 10, 10), "owner", Shown());
    const TNativeWindowId dialog = backend.CreateWindow(TRect::FromBounds(0, 0, 5, 5), "dialog", Shown());
    const TNativeWindowId other = backend.CreateWindow(TRect::FromBounds(0, 0, 5, 5), "other", Shown());
    backend.SetWindowOwner(dialog, owner, true);
    backend.RaiseWindow(owner);
    EXPECT_EQ(backend.Screen().TopToBottom(), (std::vector<TNativeWindowId>{dialog, owner, other}));
    EXPECT_TRUE(backend.Screen().Find(dialog)->Modal);
    backend.SetWindowOwner(dialog, 0, false);
    backend.RaiseWindow(owner);
    EXPECT_EQ(backend.Screen().TopToBottom().front(), owner);
    EXPECT_FALSE(backend.Screen().Find(dialog)->Modal);
}

TEST(HeadlessBackend, KeysGoToTheActiveWindowWithModifierState) {
    THeadlessBackend backend;
    const TNativeWindowId a = backend.CreateWindow(TRect::FromBounds(0, 0, 10, 10), "a", Shown());
    backend.RaiseWindow(a);
    backend.PressKey(VK_SHIFT);
    backend.PressKey(VK_TAB);
    backend.ReleaseKey(VK_TAB);
    backend.ReleaseKey(VK_SHIFT);
    const auto events = backend.WaitEvents(std::nullopt);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1].Kind, TBackendEventKind::KeyDown);
    EXPECT_EQ(events[1].Key, VK_TAB);
    EXPECT_EQ(events[1].Window, a);
    EXPECT_EQ(events[1].Shift, std::uint32_t(ssShift));
    EXPECT_EQ(events[3].Kind, TBackendEventKind::KeyUp);
    EXPECT_EQ(events[3].Shift, 0u);
}

TEST(HeadlessBackend, TypedTextArrivesOneCharacterPerEvent) {
    THeadlessBackend backend;
    backend.TypeText("a\xC3\xA9z");
    const auto events = backend.WaitEvents(std::nullopt);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].Text, "a");
    EXPECT_EQ(events[1].Text, "\xC3\xA9");
    EXPECT_EQ(events[2].Text, "z");
}

TEST(HeadlessBackend, TruncatedUtf8AtTheEndStaysInOneEvent) {
    THeadlessBackend backend;
    backend.TypeText("a\xE2\x82");
    const auto events = backend.WaitEvents(std::nullopt);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].Text, "\xE2\x82");
}

TEST(HeadlessBackend, WaitingWithNothingToDoReturnsAtOnce) {
    THeadlessBackend backend;
    EXPECT_TRUE(backend.WaitEvents(std::nullopt).empty());
    EXPECT_TRUE(backend.WaitEvents(5000).empty());
    EXPECT_EQ(backend.NowMs(), 0u);
}

TEST(HeadlessBackend, IdleHandlerRunsOnlyWhenTheToolkitWouldWait) {
    THeadlessBackend backend;
    int calls = 0;
    std::optional<std::uint64_t> seen;
    backend.SetIdleHandler([&](std::optional<std::uint64_t> deadline) {
        ++calls;
        seen = deadline;
        backend.MoveMouse({1, 1});
    });
    EXPECT_EQ(backend.WaitEvents(30).size(), 1u);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen, std::optional<std::uint64_t>(30));
    backend.MoveMouse({2, 2});
    EXPECT_EQ(backend.WaitEvents(std::nullopt).size(), 1u);
    EXPECT_EQ(calls, 1);
}

TEST(HeadlessBackend, ADueTimerSkipsTheIdleHandler) {
    THeadlessBackend backend;
    int calls = 0;
    backend.SetIdleHandler([&](std::optional<std::uint64_t>) { ++calls; });
    backend.Clock().AdvanceTo(100);
    backend.WaitEvents(100);
    EXPECT_EQ(calls, 0);
}

TEST(HeadlessBackend, WakeEndsTheNextWaitWithoutTheIdleHandler) {
    THeadlessBackend backend;
    int calls = 0;
    backend.SetIdleHandler([&](std::optional<std::uint64_t>) { ++calls; });
    backend.Wake();
    backend.WaitEvents(std::nullopt);
    EXPECT_EQ(calls, 0);
    backend.WaitEvents(std::nullopt);
    EXPECT_EQ(calls, 1);
}

TEST(HeadlessBackend, ComposedScreenShowsPicturesInZOrderOverTheDesktop) {
    THeadlessBackend backend(TSize{40, 30});
    const TNativeWindowId low = backend.CreateWindow(TRect::FromBounds(0, 0, 20, 20), "low", Shown());
    const TNativeWindowId high = backend.CreateWindow(TRect::FromBounds(10, 10, 20, 20), "high", Shown());
    backend.Present(low, Filled(20, 20, MakeColor(255, 0, 0)));
    backend.Present(high, Filled(20, 20, MakeColor(0, 0, 255)));
    const TBitmap screen = backend.Screen().Compose();
    EXPECT_EQ(screen.GetPixel(5, 5), MakeColor(255, 0, 0));
    EXPECT_EQ(screen.GetPixel(15, 15), MakeColor(0, 0, 255));
    EXPECT_EQ(screen.GetPixel(35, 5), ColorToRGB(clBackground));
    backend.RaiseWindow(low);
    EXPECT_EQ(backend.Screen().Compose().GetPixel(15, 15), MakeColor(255, 0, 0));
}

TEST(HeadlessBackend, ComposedPictureIsClippedToItsWindowAndTheScreen) {
    THeadlessBackend backend(TSize{30, 30});
    const TNativeWindowId w = backend.CreateWindow(TRect::FromBounds(20, 20, 5, 5), "w", Shown());
    backend.Present(w, Filled(50, 50, clWhite));
    const TBitmap screen = backend.Screen().Compose();
    EXPECT_EQ(screen.GetPixel(24, 24), clWhite);
    EXPECT_EQ(screen.GetPixel(25, 25), ColorToRGB(clBackground));
}

TEST(HeadlessBackend, HiddenAndDestroyedWindowsLeaveTheScreen) {
    THeadlessBackend backend(TSize{10, 10});
    const TNativeWindowId a = backend.CreateWindow(TRect::FromBounds(0, 0, 10, 10), "a", Shown());
    backend.Present(a, Filled(10, 10, clWhite));
    backend.ShowWindow(a, false);
    EXPECT_EQ(backend.Screen().Compose().GetPixel(1, 1), ColorToRGB(clBackground));
    backend.DestroyWindow(a);
    EXPECT_TRUE(backend.Screen().TopToBottom().empty());
    backend.Present(a, Filled(10, 10, clWhite)); // a stale id is ignored
    EXPECT_EQ(backend.PresentCount(), 1u);
}

TEST(HeadlessBackend, PresentedSurfaceIsSharedAndAPlainPictureIsCopied) {
    THeadlessBackend backend({100, 100});
    const TNativeWindowId w = backend.CreateWindow({0, 0, 10, 10}, "w", Shown());
    auto surface = std::make_shared<TBitmap>(Filled(10, 10, clWhite));
    backend.PresentSurface(w, surface);
    EXPECT_EQ(&backend.Screen().Find(w)->Picture(), surface.get());
    TBitmap plain = Filled(10, 10, MakeColor(0, 0, 255));
    backend.Present(w, plain);
    plain.Fill(clBlack);
    EXPECT_EQ(backend.Screen().Find(w)->Picture().GetPixel(5, 5), MakeColor(0, 0, 255));
    EXPECT_EQ(backend.PresentCount(), 2u);
}
