#include "audio/ambient_sounds.h"

#include "core/settings.h"
#include "core/loading_progress.h"
#include "audio/sound_effects.h"
#include "data/xml_document.h"

namespace {

std::vector<AmbientVenue> g_table;
float g_volume = 0.45f;
bool g_volumeKnown = false;  // read from the settings or set: worth storing

constexpr int kFail = int(0x80004005u);

AmbientSound ReadSound(XmlDocument& doc, XmlNode node) {
  AmbientSound s;
  if (auto name = doc.CopyAttribute(node, "FileName")) s.fileName = *name;
  s.minInterval = doc.GetFloatAttribute(node, "MinInterval", 1.0f);
  s.maxInterval = doc.GetFloatAttribute(node, "MaxInterval", 10.0f);
  s.minPitch = doc.GetFloatAttribute(node, "MinPitch", 1.0f);
  s.maxPitch = doc.GetFloatAttribute(node, "MaxPitch", 1.0f);
  s.minVolume = doc.GetFloatAttribute(node, "MinVolume", 1.0f);
  s.maxVolume = doc.GetFloatAttribute(node, "MaxVolume", 1.0f);
  s.minPan = doc.GetFloatAttribute(node, "MinPan", 0.0f);
  s.maxPan = doc.GetFloatAttribute(node, "MaxPan", 0.0f);
  return s;
}

}  // namespace

int LoadAmbientSounds() {
  g_volume = GetSettingFloat("Sound", "Ambient volume", 0.45f);
  g_volumeKnown = true;
  if (!g_table.empty()) return 0;
  XmlDocument doc;
  if (doc.LoadMember("Search\\VenueMap\\VenueMap.xml") != 0) return kFail;
  ScopedXmlNode root(doc, doc.Root());
  for (ScopedXmlNode venue(doc, doc.FindChildNode(root)); venue; venue.Next()) {
    if (!doc.IsElement(venue)) continue;
    ScopedXmlNode sounds(doc, doc.FindChildNode(venue, "AmbientSounds"));
    if (!sounds) continue;
    AmbientVenue entry;
    entry.venueIndex = doc.GetIntAttribute(venue, "VenueIndex", 0);
    for (ScopedXmlNode node(doc, doc.FindChildNode(sounds)); node; node.Next()) {
      if (!doc.IsElement(node)) continue;
      AmbientSound sound = ReadSound(doc, node);
      if (!sound.fileName.empty()) GetSoundEffect(sound.fileName.c_str());
      LoadingProgressStep();
      entry.sounds.insert(entry.sounds.begin(), std::move(sound));
    }
    g_table.insert(g_table.begin(), std::move(entry));
  }
  return g_table.empty() ? kFail : 0;
}

void SetAmbientVolume(float volume) {
  g_volume = volume;
  g_volumeKnown = true;
}

float GetAmbientVolume() {
  return g_volume;
}

void FreeAmbientSounds() {
  g_table.clear();
  if (g_volumeKnown) SetSettingFloat("Sound", "Ambient volume", g_volume);
}

void ShutdownAmbientSounds() {
  FreeAmbientSounds();
}

const std::vector<AmbientVenue>& AmbientTable() {
  return g_table;
}
