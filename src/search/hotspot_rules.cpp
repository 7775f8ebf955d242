#include "search/hotspot_rules.h"

namespace rules {
namespace {

// Collects a rule's effects while keeping its own view of the flags.
struct RuleRun {
  RuleRun(const HeldItem& h, const FlagSet& f) : held(h), flags(f) {}
  const HeldItem& held;
  FlagSet flags;
  Outcome out;

  bool Holds(int itemClass) const { return !out.consume && held.itemClass == itemClass && itemClass != 0; }
  void Set(int flag) {
    flags.Set(flag);
    out.setFlags.push_back(flag);
  }
  // "use c for F": only while F is clear, with the nail-pull sound.
  void Use(int itemClass, int flag) {
    if (!flags.Test(flag) && Holds(itemClass)) {
      Set(flag);
      out.sound = "NailPull.wav";
      out.consume = true;
    }
  }
  // "take c for F": whenever the item is held, silently.
  void Take(int itemClass, int flag) {
    if (Holds(itemClass)) {
      Set(flag);
      out.consume = true;
    }
  }
  void Venue(const char* file) { Open(kOpenVenue, file); }
  void Open(int classId, const char* argument = "") {
    out.openClass = classId;
    out.openArgument = argument;
  }
  void Say(const char* key) { out.say = key; }
  void Sound(const char* file, bool centred = false) {
    out.sound = file;
    out.soundCentred = centred;
  }
};

}  // namespace

Outcome HotspotRule(int id, const HeldItem& held, const FlagSet& flags) {
  RuleRun r(held, flags);
  switch (id) {
    case 1:
      r.Venue("House_Wastebasket.xml");
      break;
    case 2:
      r.Use(2, 3);
      if (r.flags.Test(3))
        r.Venue("House_BarrelScene.xml");
      else
        r.Say("NeedToolForBarrel");
      break;
    case 3:
      r.Venue("TrolleyBarn_Corkboard.xml");
      break;
    case 4:
      r.Venue("Hotel_CorwenPainting.xml");
      break;
    case 7:
      if (r.flags.Test(9)) {
        r.Venue("House_Photo.xml");
        r.Sound("Camera.wav");
        break;
      }
      r.Take(4, 12);
      if (r.flags.Test(12))
        r.Open(kOpenCameraCode);
      else
        r.Say("NeedCameraPINCode");
      break;
    case 8:
      r.Use(5, 16);
      if (r.flags.Test(16))
        r.Venue("Hotel_DresserDrawer.xml");
      else
        r.Say("NeedToolForHotelDrawer");
      break;
    case 10:
      r.Venue("Shops_MagazineRack.xml");
      break;
    case 11:
      r.Take(6, 18);
      if (!r.flags.Test(18))
        r.Say("NeedPianoRoll");
      else if (r.flags.Test(19))
        r.Venue("Hotel_PlayerPianoSearch.xml");
      else
        r.Open(kOpenPlayerPiano);
      break;
    case 12:
      r.Take(8, 21);
      if (r.flags.Test(21)) {
        r.Sound("OpenPanel.wav");
        r.Open(kOpenCircuit, "Puzzles\\CircuitPuzzle\\CircuitPuzzle.xml");
      } else {
        r.Say("NeedScrewdriver");
      }
      break;
    case 13:
      if (!r.flags.Test(50)) r.Take(19, 50);
      if (r.flags.Test(50)) {
        r.Sound("FileDrawer.wav");
        r.Venue("Headquarters_FilingCabinet.xml");
      } else {
        r.Say("NeedKeyForFilingCabinet");
      }
      break;
    case 14:
      if (r.Holds(14)) {
        r.Open(kOpenMicroscope, "Print");
        r.out.putBack = true;
      } else {
        r.Say("NeedFingerprintEvidence");
      }
      break;
    case 15:
      if (!r.flags.Test(63) && r.Holds(12)) {
        r.Set(63);
        r.out.consume = true;
        r.Sound("InsertCoin.wav", true);
      }
      if (r.flags.Test(62))
        r.Venue("Shops_PizzaParty.xml");
      else if (r.flags.Test(63))
        r.Open(kOpenMatch3, "Puzzles\\Match3\\Match3.xml");
      else
        r.Say("NeedCoinForArcadeGame");
      break;
    case 16:
      if (r.flags.Test(66)) {
        r.Venue("Warehouse_Safe.xml");
        r.Sound("OpenSafe.wav");
      } else if (r.Holds(13)) {
        r.Open(kOpenSafe);
        r.out.putBack = true;
      } else {
        r.Say("NeedStethoscope");
      }
      break;
    case 17:
      r.Open(kOpenStreetcarPower);
      break;
    case 18:
      if (r.Holds(17)) {
        r.Sound("OpenPanel.wav");
        r.Open(kOpenRoomLock);
        r.out.putBack = true;
      } else {
        r.Say("NeedHotelReceipt");
      }
      break;
    case 19:
      if (r.Holds(11)) {
        r.Open(kOpenMicroscope, "Fiber");
        r.out.putBack = true;
      } else {
        r.Say("NeedFiberEvidence");
      }
      break;
    case 20:
      if (r.Holds(15) && held.instances >= 13) {
        r.Open(kOpenJewels);
        r.out.putBack = true;
      } else if (r.Holds(15)) {
        r.Say("NotEnoughJewels");
      } else {
        r.Say("NeedJewelEvidence");
      }
      break;
    case 21:
      if (r.Holds(16)) {
        r.out.putBack = true;
        r.Open(kOpenJigsaw, "Puzzles\\ReceiptJigsaw\\ReceiptJigsaw.xml");
      } else {
        r.Say("NeedReceiptScraps");
      }
      break;
    case 22:
      r.Venue("Headquarters_Poster.xml");
      break;
    default:
      break;
  }
  return r.out;
}

}  // namespace rules
