// A host that records every call of the plug-in, in order, as short texts ("playing?",
// "position", "list index", "file 3", "seek 1234", "play", "pause", "stop", "browser PATH",
// "skin", "pe_fontsize", "snap", "snaplen"), and answers from its fields.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "plugin/HostPlayer.h"

class RecordingHost : public HostPlayer {
 public:
  int GetPlayState() override { return Answer("playing?", playState); }
  uint32_t GetPosition() override { return Answer("position", positionMs); }
  int GetListIndex() override { return Answer("list index", listIndex); }
  std::string GetEntryFileName(int index) override { return Answer("file " + std::to_string(index), fileName); }
  void Seek(uint32_t positionMs) override { calls.push_back("seek " + std::to_string(positionMs)); }
  void Play() override { calls.push_back("play"); }
  void Pause() override { calls.push_back("pause"); }
  void Stop() override { calls.push_back("stop"); }
  void OpenInMiniBrowser(const std::string& path) override { calls.push_back("browser " + path); }
  HostSkin GetSkin() override { return Answer("skin", skin); }
  int GetListFontSize() override { return Answer("pe_fontsize", fontSize); }
  int GetSnap() override { return Answer("snap", snap); }
  int GetSnapLength() override { return Answer("snaplen", snapLength); }

  int playState = 1;  // 1 playing, 3 paused, 0 stopped
  uint32_t positionMs = 0;
  int listIndex = 0;
  std::string fileName;
  HostSkin skin;
  int fontSize = 10;
  int snap = 1;
  int snapLength = 10;
  std::vector<std::string> calls;

 private:
  template <typename T>
  T Answer(const std::string& call, const T& value) {
    calls.push_back(call);
    return value;
  }
};
