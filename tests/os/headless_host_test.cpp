#include <gtest/gtest.h>

#include <thread>

#include "platform/os/host.h"
#include "platform/os/keys.h"

namespace {
std::vector<os::Event> Drain(os::Host& h) {
  std::vector<os::Event> out;
  os::Event ev{};
  while (h.PollEvent(ev)) out.push_back(ev);
  return out;
}
}  // namespace

TEST(HeadlessHost, FakeWindowKeepsWhatItIsTold) {
  auto h = os::CreateHeadlessHost(1280, 1024);
  EXPECT_EQ(h->GetWindow(), nullptr);
  os::DisplayInfo d = h->Display();
  EXPECT_EQ(d.desktopWidth, 1280);
  EXPECT_EQ(d.refreshHz, 60);
  os::WindowParams p;
  p.outer = {10, 20, 810, 620};
  os::Window* w = h->CreateWindow(p);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->NativeHandle(), nullptr);
  int cw, ch;
  w->ClientSize(cw, ch);
  EXPECT_EQ(cw, 800);
  EXPECT_EQ(ch, 600);
  w->SetClientSize(640, 480);
  EXPECT_EQ(w->OuterRect().right, 650);
  w->SetFullscreen(true);
  w->ClientSize(cw, ch);
  EXPECT_EQ(cw, 1280);
  EXPECT_EQ(w->OuterRect().Width(), 640);  // the windowed rectangle survives full screen
  h->DestroyWindow();
  EXPECT_EQ(h->GetWindow(), nullptr);
}

TEST(HeadlessHost, PostedMessagesArriveInOrderAndWakeAWaiter) {
  auto h = os::CreateHeadlessHost();
  h->PostAppMessage(0x8102, 3);
  h->PostAppMessage(0x8100, 0);
  auto events = Drain(*h);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].type, os::Event::kAppMessage);
  EXPECT_EQ(events[0].message, 0x8102u);
  EXPECT_EQ(events[0].wparam, 3);
  EXPECT_EQ(events[1].message, 0x8100u);

  os::Event ev{};
  EXPECT_FALSE(h->PollEvent(ev, true, 10));  // times out with nothing queued
  std::thread poster([&] {
    os::SleepMs(20);
    h->PostAppMessage(0x8101, 7);
  });
  EXPECT_TRUE(h->PollEvent(ev, true, -1));
  poster.join();
  EXPECT_EQ(ev.message, 0x8101u);
}

TEST(HeadlessHost, InjectedInputFormsTheSnapshotAndEvents) {
  auto h = os::CreateHeadlessHost(1024, 768);
  os::Window* w = h->CreateWindow({});
  w->SetBackBufferSize(1024, 768);
  EXPECT_FALSE(h->Input().insideClient);

  h->InjectPointer(1023, 767);
  h->InjectButton(false, true);
  os::InputSnapshot s = h->Input();
  EXPECT_TRUE(s.insideClient);
  EXPECT_EQ(s.x, 1023);
  EXPECT_TRUE(s.left);
  EXPECT_FALSE(s.right);
  EXPECT_EQ(s.keys[os::vk::kLButton], 0x80);
  h->InjectPointer(1024, 10);
  EXPECT_FALSE(h->Input().insideClient);
  h->InjectPointer(-1, 10);
  EXPECT_FALSE(h->Input().insideClient);

  h->InjectKey(os::vk::kBack, true);
  h->InjectKey(os::vk::kBack, true);  // held: a repeat
  EXPECT_EQ(h->Input().keys[os::vk::kBack], 0x80);
  h->InjectKey(os::vk::kBack, false);
  EXPECT_EQ(h->Input().keys[os::vk::kBack], 0);
  h->InjectText("a\xE9\xFF");
  h->InjectKey(999, true);  // not a key: ignored
  auto events = Drain(*h);
  ASSERT_EQ(events.size(), 7u);
  EXPECT_EQ(events[0].type, os::Event::kKeyDown);
  EXPECT_EQ(events[0].key, os::vk::kBack);
  EXPECT_FALSE(events[0].repeat);
  EXPECT_EQ(events[1].type, os::Event::kChar);
  EXPECT_EQ(events[1].code, 8);
  EXPECT_TRUE(events[2].repeat);
  EXPECT_EQ(events[4].code, 'a');
  EXPECT_EQ(events[5].code, 0xE9);
  EXPECT_EQ(events[6].code, 0xFF);  // from unsigned char: never negative
}

TEST(HeadlessHost, InputGateCountsAndSilencesHeldInput) {
  auto h = os::CreateHeadlessHost();
  h->CreateWindow({});
  EXPECT_TRUE(h->InputEnabled());
  h->EnableInput();  // an extra enable must not bank credit
  h->DisableInput();
  EXPECT_FALSE(h->InputEnabled());
  h->DisableInput();
  h->EnableInput();
  EXPECT_FALSE(h->InputEnabled());  // the second user still holds it

  h->InjectPointer(5, 5);
  h->InjectButton(false, true);
  h->InjectKey(os::vk::kEscape, true);
  h->InjectText("x");
  os::InputSnapshot s = h->Input();
  EXPECT_FALSE(s.left);
  EXPECT_EQ(s.keys[os::vk::kEscape], 0);
  EXPECT_EQ(s.x, 5);  // the pointer is still tracked
  EXPECT_TRUE(Drain(*h).empty());

  h->EnableInput();
  EXPECT_TRUE(h->InputEnabled());
  // Held through the gate: still silent until let go, so no click arrives from before.
  s = h->Input();
  EXPECT_FALSE(s.left);
  EXPECT_EQ(s.keys[os::vk::kEscape], 0);
  h->InjectButton(false, false);
  h->InjectKey(os::vk::kEscape, false);
  h->Input();
  h->InjectButton(false, true);
  h->InjectKey(os::vk::kEscape, true);
  s = h->Input();
  EXPECT_TRUE(s.left);
  EXPECT_EQ(s.keys[os::vk::kEscape], 0x80);
  h->EnableInput();
  h->EnableInput();
  EXPECT_TRUE(h->InputEnabled());
  h->DisableInput();
  EXPECT_FALSE(h->InputEnabled());  // a single disable still closes it after surplus enables
}

TEST(HostRegistry, MakesAHeadlessHostWhenNoneWasSet) {
  os::SetHost(nullptr);
  EXPECT_FALSE(os::HasHost());
  EXPECT_EQ(os::host().GetWindow(), nullptr);
  EXPECT_TRUE(os::HasHost());
  os::SetHost(os::CreateHeadlessHost());
}
