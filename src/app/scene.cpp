#include <GL/glut.h>

#include "app/app_state.h"
#include "app/callbacks.h"
#include "app/simulations.h"

namespace wobblux {
namespace {

// A positional light; placed before the camera is reset, so it follows the camera one frame late.
constexpr GLfloat kLightPosition[] = {500.0f, 500.0f, 500.0f, 1.0f};

// The two emitter cones: solid cones of the toolkit, in scene units.
constexpr double kConeRadius = 10.0;
constexpr double kConeHeight = 20.0;
constexpr GLint kConeSlices = 10;
constexpr GLint kConeStacks = 10;

struct Point3 {
    GLfloat x, y, z;
};

// One face of the tank: its outward normal and its corners, clockwise seen from inside.
struct TankFace {
    Point3 normal;
    Point3 corners[4];
};

constexpr GLfloat kHalf = static_cast<GLfloat>(kTankHalfWidth);

constexpr TankFace kWalls[] = {
    // back, z = -100
    {{0, 0, -1},
     {{-kHalf, kHalf, -kHalf},
      {kHalf, kHalf, -kHalf},
      {kHalf, -kHalf, -kHalf},
      {-kHalf, -kHalf, -kHalf}}},
    // right, x = +100
    {{1, 0, 0},
     {{kHalf, kHalf, -kHalf},
      {kHalf, kHalf, kHalf},
      {kHalf, -kHalf, kHalf},
      {kHalf, -kHalf, -kHalf}}},
    // front, z = +100
    {{0, 0, 1},
     {{kHalf, kHalf, kHalf},
      {-kHalf, kHalf, kHalf},
      {-kHalf, -kHalf, kHalf},
      {kHalf, -kHalf, kHalf}}},
    // left, x = -100
    {{-1, 0, 0},
     {{-kHalf, kHalf, kHalf},
      {-kHalf, kHalf, -kHalf},
      {-kHalf, -kHalf, -kHalf},
      {-kHalf, -kHalf, kHalf}}},
};

constexpr TankFace kFloor = {{0, -1, 0},
                             {{-kHalf, -kHalf, -kHalf},
                              {kHalf, -kHalf, -kHalf},
                              {kHalf, -kHalf, kHalf},
                              {-kHalf, -kHalf, kHalf}}};

void sendFace(const TankFace& face) {
    glNormal3f(face.normal.x, face.normal.y, face.normal.z);
    for (const Point3& corner : face.corners) {
        glVertex3f(corner.x, corner.y, corner.z);
    }
}

void applyCamera() {
    glTranslatef(0.0f, 0.0f, app.distance);
    glRotatef(app.yaw, 0.0f, 1.0f, 0.0f);
    glRotatef(app.pitch, 1.0f, 0.0f, 0.0f);
}

// An hourglass on the tank floor: one cone standing on the floor with its apex at the
// emitter (y = -80), one hanging from the emitter height with its apex on the floor.
void drawEmitterCones() {
    glColor3f(1.0f, 1.0f, 0.0f);

    glPushMatrix();
    glTranslatef(0.0f, -kHalf, 0.0f);  // the lower cone stands on the floor
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glutSolidCone(kConeRadius, kConeHeight, kConeSlices, kConeStacks);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0.0f, static_cast<GLfloat>(kEmitterHeight), 0.0f);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glutSolidCone(kConeRadius, kConeHeight, kConeSlices, kConeStacks);
    glPopMatrix();
}

// Drawn last so the translucent faces blend over everything else. Nothing is culled, so the
// clockwise winding only decides which side is lit as the front; it stays set afterwards.
void drawTank() {
    glPushMatrix();
    glFrontFace(GL_CW);
    glColor4f(0.5f, 0.5f, 1.0f, 0.2f);
    glBegin(GL_QUADS);
    for (const TankFace& wall : kWalls) {
        sendFace(wall);
    }
    glEnd();
    glBegin(GL_QUADS);
    sendFace(kFloor);
    glEnd();
    glPopMatrix();
}

}  // namespace

void onDisplay() {
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyCamera();
    drawEmitterCones();
    app.dartGroup->draw();
    app.fountain->draw();
    app.sheet->draw();
    // The second pass only meets depths of its own first pass or nearer ones, so it leaves
    // the image as the first pass and the sheet made it.
    app.fountain->draw();
    drawTank();
    glutSwapBuffers();
}

}  // namespace wobblux
