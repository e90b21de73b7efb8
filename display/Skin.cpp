// Finding the skin (the plug-in's own folder, else the host's current skin), noticing a change of
// skin, and loading its three bitmaps with the built-in ones standing in for missing files.
#include "display/Skin.h"

#include "plugin/HostPlayer.h"
#include "resources/ResourceIds.h"

namespace {

struct SkinSource {
  std::string identity;
  std::string folder;
};

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsLoadableFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HBITMAP LoadSkinBitmap(const std::string& folder, const char* fileName, HINSTANCE module, int resourceId) {
  HBITMAP bitmap = nullptr;
  // An empty folder would turn the file name into a path at the drive's root.
  if (!folder.empty()) {
    const std::string path = folder + fileName;
    if (IsLoadableFile(path)) {
      bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    }
  }
  if (!bitmap) {
    bitmap = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, 0));
  }
  return bitmap;
}

void DeleteBitmap(HBITMAP* bitmap) {
  if (*bitmap) DeleteObject(*bitmap);
  *bitmap = nullptr;
}

}  // namespace

Skin::~Skin() {
  DeleteBitmap(&pleditBitmap);
  DeleteBitmap(&textBitmap);
  DeleteBitmap(&posbarBitmap);
}

bool Skin::Load(bool force, HostPlayer* host, HINSTANCE module, const std::string& pluginFolder, ListColors* colors) {
  SkinSource source;
  if (!pluginFolder.empty() && PathExists(pluginFolder)) {
    source.identity = pluginFolder;
    source.folder = pluginFolder;
  } else if (host) {
    const HostSkin hostSkin = host->GetSkin();
    source.identity = hostSkin.identity;
    source.folder = hostSkin.folder;
  }
  if (!force && source.identity == skinName) return false;

  DeleteBitmap(&pleditBitmap);
  DeleteBitmap(&textBitmap);
  DeleteBitmap(&posbarBitmap);
  skinFolder = source.folder;
  skinName = source.identity;

  pleditBitmap = LoadSkinBitmap(skinFolder, "\\Pledit.bmp", module, IDB_PLEDIT);
  textBitmap = LoadSkinBitmap(skinFolder, "\\text.bmp", module, IDB_TEXT);
  posbarBitmap = LoadSkinBitmap(skinFolder, "\\Posbar.bmp", module, IDB_POSBAR);

  const ListColors loaded = skinFolder.empty() ? DefaultListColors() : LoadColors(skinFolder + "\\Pledit.txt");
  if (colors) *colors = loaded;
  return true;
}

void Skin::DrawPiece(HDC dc, HDC sourceDc, const SkinPiece& piece, int x, int y) {
  if (sourceDc == nullptr) return;  // a bitmap that could not be selected draws nothing
  BitBlt(dc, x, y, piece.width, piece.height, sourceDc, piece.left, piece.top, SRCCOPY);
}
