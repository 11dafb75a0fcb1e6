#include "TextObject.h"
#include "TestWindow.h"

using namespace tw;

namespace {

using TextObjectTest = twtest::WindowTest;

/// Draws the world into a fresh frame and returns columns x to x + n - 1 of row y.
std::string drawnRow(int y, int x, int n) {
  GraphicsManager& g = GraphicsManager::getInstance();
  g.displayFrame();
  WorldManager::getInstance().draw();
  return g.rowText(y).substr(x, n);
}

TEST_F(TextObjectTest, DrawsJustifiedLinesInTheWorldOrOnTheView) {
  struct Case {
    const char* text;
    Justification justification;
    bool on_view;
    float view_x; // the view's corner, (view_x, 0)
    int row;
    const char* expected; // columns 30 to 44 of that row
  };
  const Case cases[] = {
      {"Gold 12", JUSTIFY_LEFT, false, 0, 5, "     Gold 12   "},
      {"Hello!", JUSTIFY_CENTER, false, 0, 5, "  Hello!       "},
      {"abc", JUSTIFY_RIGHT, false, 0, 5, "  abc          "},
      {"ab\ncdef", JUSTIFY_RIGHT, false, 0, 6, " cdef          "},
      {"ab\ncdef", JUSTIFY_LEFT, false, 0, 5, "     ab        "},
      {"x,y:z", JUSTIFY_LEFT, false, 3, 5, "  x,y:z        "}, // scrolls with the world
      {"x,y:z", JUSTIFY_LEFT, true, 3, 5, "     x,y:z     "},  // stays on the screen
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    WorldManager::getInstance().setView(Box(Vector(c.view_x, 0), 80, 24));
    auto* p_t = new TextObject(c.text, Vector(35, 5));
    p_t->setJustification(c.justification), p_t->setOnView(c.on_view), p_t->setColor(YELLOW);
    if (c.on_view)
      p_t->setBackground(BLUE);
    EXPECT_EQ(drawnRow(c.row, 30, 15), c.expected);
    const std::size_t first = GraphicsManager::getInstance().rowText(c.row).find_first_not_of(' ');
    const Cell cell = GraphicsManager::getInstance().cellAt(int(first), c.row);
    EXPECT_EQ(cell.color, YELLOW);
    EXPECT_EQ(cell.background, c.on_view ? BLUE : BLACK);
    WorldManager::getInstance().markForDelete(p_t), WorldManager::getInstance().update();
  }
}

TEST_F(TextObjectTest, ShowsItsTextUntilChangedOrDeletedAndNeverBlocks) {
  auto* p_t = new TextObject("You found 12 gold.", Vector(2, 3));
  EXPECT_EQ(drawnRow(3, 0, 22), "  You found 12 gold.  ");
  EXPECT_EQ(drawnRow(3, 0, 22), "  You found 12 gold.  ");
  p_t->setText("Locked.");
  EXPECT_EQ(drawnRow(3, 0, 22), "  Locked.             ");
  // A HARD object walks through it, and no collision is reported.
  auto* p_walker = new Object;
  p_walker->setPosition(Vector(4, 4));
  EXPECT_EQ(WorldManager::getInstance().moveObject(p_walker, Vector(2, 3)), 0);
  EXPECT_EQ(p_walker->getPosition(), Vector(2, 3));
  WorldManager::getInstance().markForDelete(p_t), WorldManager::getInstance().update();
  EXPECT_EQ(drawnRow(3, 0, 22), std::string(22, ' '));
}

TEST_F(TextObjectTest, RecordKeepsTextWithTheRecordsSeparators) {
  auto* p_t = new TextObject("Hi, you: 100%\nnext %2C", Vector(7, 8));
  p_t->setColor(CYAN), p_t->setJustification(JUSTIFY_RIGHT), p_t->setOnView(true);
  p_t->setBackground(rgb(1, 2, 3));
  const std::string record = p_t->serialize(true);
  EXPECT_NE(record.find(",text:Hi%2C%20you%3A%20100%25%0Anext%20%252C,color:6,background:16843267,"
                        "justification:2,on_view:true,"),
            std::string::npos)
      << record;
  EXPECT_FALSE(p_t->isModified());
  EXPECT_EQ(p_t->serialize(false), "");

  auto* p_copy = new TextObject;
  p_copy->deserialize(record);
  EXPECT_EQ(p_copy->getText(), p_t->getText());
  EXPECT_EQ(p_copy->serialize(true).substr(record.find(",text:")),
            record.substr(record.find(",text:")));
  // Unknown justifications read as left; a stray '%' stands for itself.
  p_copy->deserialize("text:50%,justification:7,background:none,");
  EXPECT_EQ(p_copy->getText(), "50%");
  EXPECT_FALSE(p_copy->hasBackground());
  EXPECT_EQ(p_copy->getJustification(), JUSTIFY_LEFT);
  p_copy->setColor(RED);
  EXPECT_TRUE(p_copy->isModified());
}

} // namespace
