#pragma once
// Tests whose pixels depend on a face first make sure the system really has
// it: a missing face is replaced silently by a wider one, and the test would
// otherwise fail on a pixel count that says nothing about the cause.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace tallix::ui::test {

// The Debian package that gives Wine the face, for the failure message.
inline const char* PackageForFace(const std::wstring& face) {
  if (face == L"Arial" || face == L"Courier New") return "fonts-liberation";
  return "fonts-wine";
}

// Success when a font of that face, height and weight is drawn with the face
// itself (Courier New also fixed-pitch); otherwise one line naming what the
// system chose instead and the package that brings the face.
inline ::testing::AssertionResult FaceIsInstalled(const std::wstring& face, int height = -12, int weight = FW_NORMAL) {
  HFONT font = CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str());
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t chosen[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, chosen);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);

  // The flag is named the wrong way round: set means variable pitch.
  const bool proportional = (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0;
  const bool mustBeFixed = face == L"Courier New";
  if (lstrcmpiW(chosen, face.c_str()) == 0 && !(mustBeFixed && proportional)) return ::testing::AssertionSuccess();
  const std::string narrowFace(face.begin(), face.end());
  const std::wstring chosenWide(chosen);
  return ::testing::AssertionFailure() << "font \"" << narrowFace << "\" " << height
                                       << " is missing: the system drew it with \""
                                       << std::string(chosenWide.begin(), chosenWide.end()) << "\""
                                       << (mustBeFixed && proportional ? " (proportional)" : "") << ", "
                                       << metrics.tmHeight << " pixels high; install " << PackageForFace(face)
                                       << " and run scripts/wine-prefix.sh for the Wine prefix";
}

}  // namespace tallix::ui::test
