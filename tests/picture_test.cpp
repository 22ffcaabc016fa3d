// The picture as pixels with no X server: drawn offscreen by the window's own drawing code, and
// written as SVG and rendered by rsvg-convert. Where to look comes from each figure itself.
#include "case_name.h"
#include "drawing.h"
#include "image.h"
#include "offscreen.h"
#include "parallelogram_dialogue.h"
#include "program.h"
#include "svg_writer.h"
#include "triangle_dialogue.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace {

Image drawnOffscreen() {
    std::string error;
    Image image{1024, 700, renderScene(error)};
    EXPECT_EQ("", error);
    return image;
}

Image renderedSvg() {
    const ScratchFolder folder;
    std::ofstream(folder.path + "/p.svg") << sceneSvg();
    const std::string command =
        "rsvg-convert -o " + folder.path + "/p.png " + folder.path + "/p.svg";
    EXPECT_EQ(0, std::system(command.c_str())) << command;
    return readPng(folder.path + "/p.png");
}

void fill(const Tool& tool, std::string input) {
    std::FILE* in = fmemopen(input.data(), input.size(), "r");
    std::FILE* out = std::fopen("/dev/null", "w");
    scene = Scene{};
    ASSERT_TRUE(tool.dialogue(in, out, stderr));
    std::fclose(in);
    std::fclose(out);
}

struct Renderer {
    const char* name;
    Image (*render)();
};

class Picture : public testing::TestWithParam<Renderer> {
  protected:
    void SetUp() override { image_ = {}; }

    // How many pixels within `radius` of the plane point (x, y) show `colour`.
    int count(View view, double x, double y, int radius, Rgb8 colour) {
        if (image_.width == 0) {
            image_ = GetParam().render();
        }
        return image_.count(pixelOf(view, x, y), radius, colour);
    }

  private:
    Image image_;
};

// The right triangle (0, 0), (4, 0), (0, 3) and its copy 10 to the right. The box runs from the
// circumcircle's (-0.5, -1) to its image's (14.5, 4): centre (7, 1.5), larger extent 15.
TEST_P(Picture, TrimapShowsEveryFigureWhereItLies) {
    fill(trimap, "0 0 4 0 0 3\n10 0 14 0 10 3\n");
    const View view{7, 1.5, 30};
    EXPECT_EQ(1, count(view, -3, 6, 0, background));
    for (const double shift : {0.0, 10.0}) { // away from where the circles touch the sides
        EXPECT_GE(count(view, shift + 3, 0, 1, red), 1);
        EXPECT_GE(count(view, shift, 2.4, 1, red), 1);
        EXPECT_GE(count(view, shift + 3.4, 0.45, 1, red), 1);
    }
    EXPECT_EQ(9, count(view, 2, 1.5, 1, blue)); // the circumcentre
    EXPECT_EQ(9, count(view, 1, 1, 1, green));  // the incentre
    for (const auto& [x, y] : {std::pair{2.0, 4.0}, {-0.5, 1.5}, {2.0, -1.0}}) {
        EXPECT_GE(count(view, x, y, 1, blue), 1) << x << ", " << y;
    }
    EXPECT_GE(count(view, 1, 2, 1, green), 1);
    EXPECT_GE(count(view, 2, 1, 1, green), 1);
    EXPECT_GE(count(view, 10, 0, 2, yellow), 1); // the image of A, under the traced circle
    // The images of the centres and the first traced point of each circle, whole dots.
    for (const auto& [x, y] : {std::pair{12.0, 1.5}, {11.0, 1.0}, {14.5, 1.5}, {12.0, 1.0}}) {
        EXPECT_EQ(9, count(view, x, y, 1, cyan)) << x << ", " << y;
    }
}

// Tall, clockwise and far from the origin: (1e6, 1e6), (1e6, 1e6 + 3), (1e6 + 1, 1e6 + 3), so
// D = (1e6 + 1, 1e6). Its larger extent is its height, 3, around the centre (1e6 + 0.5, 1e6 + 1.5).
TEST_P(Picture, ParaquadFramesATallFigureFarAway) {
    fill(paraquad, "1e6 1e6 1e6 1000003 1000001 1000003");
    const double x = 1e6, y = 1e6;
    const View view{x + 0.5, y + 1.5, 6};
    for (const auto& [dx, dy] : {std::pair{0, 0}, {0, 3}, {1, 3}, {1, 0}}) {
        EXPECT_EQ(9, count(view, x + dx, y + dy, 1, red)) << dx << ", " << dy;
    }
    for (const double t : {0.45, 2.55}) { // the sides, away from the ellipse
        EXPECT_GE(count(view, x, y + t, 1, red), 1) << t;
        EXPECT_GE(count(view, x + 1, y + t, 1, red), 1) << t;
    }
    EXPECT_EQ(9, count(view, x + 0.5, y + 1.5, 1, cyan)); // the ellipse's centre
    EXPECT_EQ(9, count(view, x - 0.5, y + 1.5, 1, background));
}

// What neither program draws: a line reaching 100 times its direction each way, an ellipse, and a
// colour outside the palette, which keeps the one in force.
TEST_P(Picture, LinesEllipsesAndColoursOutsideThePalette) {
    scene = Scene{};
    addSegment(Green, {{0, 0}, {4, 0}});
    addSegment(10, {{0, 2}, {4, 2}});
    scene.lines.push_back({{2, 1}, {0.4f, 0.2f}, Magenta}); // from (-38, -19) to (42, 21)
    scene.ellipses.push_back({{3, 1}, 8, 2, Purple});
    scene.box = {{-40, -20}, {44, 22}};
    const View view{2, 1, 168};
    EXPECT_GE(count(view, 2, 2, 1, green), 1);
    EXPECT_GE(count(view, 41, 20.5, 1, magenta), 1);
    EXPECT_GE(count(view, -37, -18.5, 1, magenta), 1);
    EXPECT_EQ(9, count(view, 43, 21.5, 1, background));
    for (const auto& [x, y] : {std::pair{11.0, 1.0}, {-5.0, 1.0}, {3.0, 3.0}, {3.0, -1.0}}) {
        EXPECT_GE(count(view, x, y, 1, purple), 1) << x << ", " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Renderers, Picture,
                         testing::Values(Renderer{"Offscreen", drawnOffscreen},
                                         Renderer{"Svg", renderedSvg}),
                         CaseName());

TEST(Projection, AWindowOfHeightZeroKeepsOneRow) {
    std::string error;
    ASSERT_TRUE(openOffscreen(error)) << error;
    reshapeView(800, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    closeOffscreen();
    EXPECT_EQ(800, viewport[2]);
    EXPECT_EQ(1, viewport[3]);
    EXPECT_FLOAT_EQ(float(1.0 / std::tan(M_PI / 8.0) / 800.0), projection[0]); // aspect 800
}

} // namespace
