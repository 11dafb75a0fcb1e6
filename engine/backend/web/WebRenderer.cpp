#include "WebRenderer.h"

#include <GLES3/gl3.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace tw {

namespace {

constexpr const char* CANVAS = "#canvas";
/// Used before a context can say how large a texture may be.
constexpr int DEFAULT_MAX_TEXTURE = 4096;

// Triangles in window pixels, top row 0, coloured and textured with the font's coverage.
const char* const VERTEX_SHADER = R"(#version 300 es
in vec2 position;
in vec4 color;
in vec2 tex;
uniform vec2 view;
uniform vec2 texture_size;
out vec4 v_color;
out vec2 v_tex;
void main() {
  v_color = color;
  v_tex = tex / texture_size;
  gl_Position = vec4(position.x * 2.0 / view.x - 1.0, 1.0 - position.y * 2.0 / view.y, 0.0, 1.0);
}
)";

const char* const FRAGMENT_SHADER = R"(#version 300 es
precision highp float;
in vec4 v_color;
in vec2 v_tex;
uniform sampler2D font;
out vec4 frag_color;
void main() {
  frag_color = vec4(v_color.rgb, v_color.a * texture(font, v_tex).r);
}
)";

GLuint compile(GLenum kind, const char* p_source) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &p_source, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

EM_JS(void, showCursor, (int shown), {
  var canvas = Module['canvas'] || document.getElementById('canvas');
  if (canvas) {
    canvas.style.cursor = shown ? "default" : "none";
  }
});

EM_JS(void, tellFirstFrame, (), {
  if (Module['onFirstFrame']) {
    Module['onFirstFrame']();
  }
});

} // namespace

WebRenderer::WebRenderer() = default;

WebRenderer::~WebRenderer() {
  close();
}

bool WebRenderer::open(const WindowSettings& settings) {
  if (isOpen() || settings.width <= 0 || settings.height <= 0) {
    return false;
  }
  emscripten_set_canvas_element_size(CANVAS, settings.width, settings.height);
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.majorVersion = 2;
  attributes.minorVersion = 0;
  attributes.alpha = EM_FALSE;
  attributes.depth = EM_FALSE;
  attributes.stencil = EM_FALSE;
  attributes.antialias = EM_FALSE;
  attributes.preserveDrawingBuffer = EM_TRUE; // what a frame does not redraw stays
  context = emscripten_webgl_create_context(CANVAS, &attributes);
  if (context <= 0) {
    context = 0;
    return false;
  }
  emscripten_webgl_make_context_current(context);
  if (!makeProgram()) {
    close();
    return false;
  }
  canvas_width = settings.width;
  canvas_height = settings.height;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_texture_size);
  glViewport(0, 0, canvas_width, canvas_height);
  glUniform2f(view_location, static_cast<float>(canvas_width), static_cast<float>(canvas_height));
  glEnable(GL_BLEND);
  glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  if (!settings.title.empty()) {
    emscripten_set_window_title(settings.title.c_str());
  }
  showCursor(settings.show_mouse ? 1 : 0);
  web_input.attach(canvas_width, canvas_height);
  told_shown = false;
  return true;
}

bool WebRenderer::makeProgram() {
  const GLuint vertex = compile(GL_VERTEX_SHADER, VERTEX_SHADER);
  const GLuint fragment = compile(GL_FRAGMENT_SHADER, FRAGMENT_SHADER);
  if (vertex == 0 || fragment == 0) {
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    return false;
  }
  program = glCreateProgram();
  glAttachShader(program, vertex);
  glAttachShader(program, fragment);
  glBindAttribLocation(program, 0, "position");
  glBindAttribLocation(program, 1, "color");
  glBindAttribLocation(program, 2, "tex");
  glLinkProgram(program);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint linked = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (linked != GL_TRUE) {
    return false;
  }
  glUseProgram(program);
  view_location = glGetUniformLocation(program, "view");
  texture_size_location = glGetUniformLocation(program, "texture_size");
  glUniform1i(glGetUniformLocation(program, "font"), 0);

  // The engine's vertices go to the buffer as they are.
  glGenVertexArrays(1, &vertex_array);
  glBindVertexArray(vertex_array);
  glGenBuffers(1, &vertex_buffer);
  glBindBuffer(GL_ARRAY_BUFFER, vertex_buffer);
  const GLsizei stride = sizeof(Vertex);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offsetof(Vertex, position)));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                        reinterpret_cast<const void*>(offsetof(Vertex, color)));
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offsetof(Vertex, tex)));

  glGenTextures(1, &texture);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texture);
  // Smooth, as the desktop's font texture: glyphs fall on fractions of pixels.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  return true;
}

void WebRenderer::close() {
  if (!isOpen()) {
    return;
  }
  web_input.detach();
  emscripten_webgl_make_context_current(context);
  glDeleteTextures(1, &texture);
  glDeleteBuffers(1, &vertex_buffer);
  glDeleteVertexArrays(1, &vertex_array);
  glDeleteProgram(program);
  texture = vertex_buffer = vertex_array = program = 0;
  emscripten_webgl_make_context_current(0);
  emscripten_webgl_destroy_context(context);
  context = 0;
  canvas_width = canvas_height = 0;
}

bool WebRenderer::loadFont(const std::string& file, unsigned character_size) {
  const int max_size = max_texture_size > 0 ? max_texture_size : DEFAULT_MAX_TEXTURE;
  return atlas.load(file, character_size, std::min(max_size, DEFAULT_MAX_TEXTURE));
}

bool WebRenderer::whiteTexel(Point& texel) const {
  if (!atlas.isLoaded()) {
    return false;
  }
  texel = Point{1.0f, 1.0f};
  return true;
}

void WebRenderer::uploadAtlas() {
  if (!atlas.takeChanged()) {
    return;
  }
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, atlas.width(), atlas.height(), 0, GL_RED, GL_UNSIGNED_BYTE,
               atlas.pixels());
  glUniform2f(texture_size_location, static_cast<float>(atlas.width()),
              static_cast<float>(atlas.height()));
}

void WebRenderer::clear(Rgba color) {
  if (!isOpen()) {
    return;
  }
  glClearColor(color.r / 255.0f, color.g / 255.0f, color.b / 255.0f, color.a / 255.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

int WebRenderer::drawTriangles(const Vertex* p_vertices, std::size_t count) {
  if (!isOpen() || count < 3 || !atlas.isLoaded()) {
    return 0;
  }
  uploadAtlas();
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(Vertex)), p_vertices,
               GL_STREAM_DRAW);
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(count - count % 3));
  return 1;
}

void WebRenderer::scissor(const PixelRect* p_rect) {
  if (!isOpen()) {
    return;
  }
  if (p_rect == nullptr) {
    glDisable(GL_SCISSOR_TEST);
    return;
  }
  glEnable(GL_SCISSOR_TEST);
  glScissor(p_rect->left, canvas_height - p_rect->top - p_rect->height, std::max(p_rect->width, 0),
            std::max(p_rect->height, 0));
}

void WebRenderer::show(const PixelRect&) {
  frameShown();
}

void WebRenderer::display() {
  frameShown();
}

void WebRenderer::frameShown() {
  if (!told_shown && isOpen()) {
    told_shown = true;
    tellFirstFrame();
  }
}

bool WebRenderer::readBack(Image& image) const {
  if (!isOpen()) {
    return false;
  }
  const std::size_t row = static_cast<std::size_t>(canvas_width) * 4;
  image.width = static_cast<unsigned>(canvas_width);
  image.height = static_cast<unsigned>(canvas_height);
  image.pixels.resize(row * canvas_height);
  while (glGetError() != GL_NO_ERROR) {
    // errors of earlier calls are not this read's
  }
  glReadPixels(0, 0, canvas_width, canvas_height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
  // GL's rows run bottom first.
  std::vector<std::uint8_t> swap(row);
  for (int y = 0; y < canvas_height / 2; y++) {
    std::uint8_t* p_top = &image.pixels[y * row];
    std::uint8_t* p_bottom = &image.pixels[(canvas_height - 1 - y) * row];
    std::memcpy(swap.data(), p_top, row);
    std::memcpy(p_top, p_bottom, row);
    std::memcpy(p_bottom, swap.data(), row);
  }
  return glGetError() == GL_NO_ERROR;
}

bool WebRenderer::savePng(const Image& image, const std::string& file) const {
  if (image.empty() ||
      image.pixels.size() < static_cast<std::size_t>(image.width) * image.height * 4) {
    return false;
  }
  return stbi_write_png(file.c_str(), static_cast<int>(image.width), static_cast<int>(image.height),
                        4, image.pixels.data(), static_cast<int>(image.width * 4)) != 0;
}

std::unique_ptr<Renderer> makeRenderer() {
  return std::make_unique<WebRenderer>();
}

bool canOpenWindow(std::string& why) {
  why.clear();
  return true;
}

} // namespace tw
