// Menu commands of the list's popup that extract a track.
#pragma once

constexpr int kCommandExtractBesideArchive = 40012;  // "&ZIP.MP3と同じフォルダに解凍"
constexpr int kCommandExtractChooseFolder = 40013;   // shown disabled, no action
constexpr int kCommandExtractToDesktop = 40014;      // "デスクトップに解凍(&D)"
constexpr int kCommandOpenInMiniBrowser = 40004;     // "&MiniBroserで開く"
