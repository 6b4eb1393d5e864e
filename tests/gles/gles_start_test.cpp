// startGlSubset on Mesa's ES (no X server) when something is wrong: it names the missing
// function or gives the shader's log, deletes every shader and program it made, and a later
// start on a sound context succeeds.

#include <gtest/gtest.h>

#include <map>
#include <string_view>

#include "gles/es_functions.h"
#include "gles/gl_subset.h"
#include "native_es_context.h"

namespace wobblux::gles_test {
namespace {

using gles::SubsetStart;

// What the sabotaging loader does to the subset's shaders.
enum class Sabotage { None, MissingFunction, BrokenVertexShader, MismatchedVarying };

Sabotage sabotage = Sabotage::None;
std::map<GLuint, GLenum> liveShaders;  // created and not yet deleted, with their types
int livePrograms = 0;

constexpr GLenum kVertexShader = 0x8B31;
constexpr const char* kBrokenSource = "void main() { this is not GLSL }";
// Reads a varying the subset's vertex shader does not write: compiles, but cannot link.
constexpr const char* kMismatchedFragmentSource =
    "precision mediump float; varying vec4 elsewhere; void main() { gl_FragColor = elsewhere; }";

template <typename Function>
Function real(const char* name) {
    return reinterpret_cast<Function>(NativeEsContext::procAddress(name));
}

GLuint createShader(GLenum type) {
    const GLuint shader = real<GLuint (*)(GLenum)>("glCreateShader")(type);
    liveShaders[shader] = type;
    return shader;
}

void deleteShader(GLuint shader) {
    liveShaders.erase(shader);
    real<void (*)(GLuint)>("glDeleteShader")(shader);
}

GLuint createProgram() {
    ++livePrograms;
    return real<GLuint (*)()>("glCreateProgram")();
}

void deleteProgram(GLuint program) {
    --livePrograms;
    real<void (*)(GLuint)>("glDeleteProgram")(program);
}

void shaderSource(GLuint shader, GLsizei count, const GLchar* const* strings,
                  const GLint* lengths) {
    const bool vertex = liveShaders[shader] == kVertexShader;
    const char* replacement = nullptr;
    if (sabotage == Sabotage::BrokenVertexShader && vertex) {
        replacement = kBrokenSource;
    } else if (sabotage == Sabotage::MismatchedVarying && !vertex) {
        replacement = kMismatchedFragmentSource;
    }
    const auto original = real<decltype(gles::EsFunctions::shaderSource)>("glShaderSource");
    if (replacement != nullptr) {
        original(shader, 1, &replacement, nullptr);
    } else {
        original(shader, count, strings, lengths);
    }
}

void* sabotagingLoader(const char* name) {
    const std::string_view function = name;
    if (sabotage == Sabotage::MissingFunction && function == "glBufferSubData") {
        return nullptr;
    }
    if (function == "glCreateShader") return reinterpret_cast<void*>(createShader);
    if (function == "glDeleteShader") return reinterpret_cast<void*>(deleteShader);
    if (function == "glCreateProgram") return reinterpret_cast<void*>(createProgram);
    if (function == "glDeleteProgram") return reinterpret_cast<void*>(deleteProgram);
    if (function == "glShaderSource") return reinterpret_cast<void*>(shaderSource);
    return NativeEsContext::procAddress(name);
}

class GlesStart : public ::testing::Test {
  protected:
    void SetUp() override {
        liveShaders.clear();
        livePrograms = 0;
    }
    // After a failure the same context starts the subset once it is given sound shaders.
    void TearDown() override {
        sabotage = Sabotage::None;
        EXPECT_TRUE(gles::startGlSubset(sabotagingLoader));
        EXPECT_TRUE(liveShaders.empty());
        EXPECT_EQ(livePrograms, 1);
        EXPECT_EQ(context.error(), 0u);
    }
    NativeEsContext context{16, 16};
};

TEST_F(GlesStart, MissingFunctionIsNamed) {
    sabotage = Sabotage::MissingFunction;
    const SubsetStart start = gles::startGlSubset(sabotagingLoader);
    EXPECT_EQ(start.failure, SubsetStart::Failure::MissingFunction);
    EXPECT_EQ(start.detail, "glBufferSubData");
    EXPECT_EQ(livePrograms, 0);
}

TEST_F(GlesStart, ShaderThatDoesNotCompileGivesItsLogAndIsDeleted) {
    sabotage = Sabotage::BrokenVertexShader;
    const SubsetStart start = gles::startGlSubset(sabotagingLoader);
    EXPECT_EQ(start.failure, SubsetStart::Failure::ShaderCompile);
    EXPECT_FALSE(start.detail.empty());
    EXPECT_TRUE(liveShaders.empty());
    EXPECT_EQ(livePrograms, 0);
}

TEST_F(GlesStart, ProgramThatDoesNotLinkGivesItsLogAndIsDeleted) {
    sabotage = Sabotage::MismatchedVarying;
    const SubsetStart start = gles::startGlSubset(sabotagingLoader);
    EXPECT_EQ(start.failure, SubsetStart::Failure::ProgramLink);
    EXPECT_NE(start.detail.find("elsewhere"), std::string::npos) << start.detail;
    EXPECT_TRUE(liveShaders.empty());
    EXPECT_EQ(livePrograms, 0);
}

}  // namespace
}  // namespace wobblux::gles_test
