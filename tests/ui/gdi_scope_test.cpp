#include "ui/gdi_scope.h"

#include <gtest/gtest.h>

using namespace tallix::ui;

namespace {

TEST(GdiScope, SelectionsAreUndoneAndOwnedObjectsDeleted) {
  WindowDC screen(nullptr);
  MemoryDC dc(screen);
  ASSERT_NE(static_cast<HDC>(dc), nullptr);
  const HGDIOBJ originalPen = GetCurrentObject(dc, OBJ_PEN);
  HPEN made = nullptr;
  {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
    made = pen;
    ScopedSelect usePen(dc, pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), made);
    ScopedSelect nothing(dc, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), made);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), originalPen);
  EXPECT_EQ(GetObjectType(made), 0u) << "deleted with its scope";
}

}  // namespace
