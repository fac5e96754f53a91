# The program's pixel art is kept as PNG files and edited as pictures. The code
# takes each one at a fixed size (the tile sheets are cut into 16 x 16 cells by
# position), so a picture saved at another size or in another PNG format stops
# the configure step here, naming the file, instead of showing up wrong on a
# user's screen. See docs/art.md.

# Fails unless `path` (from the project root) is a PNG file of `width` x `height`
# pixels in `format` (one of the names below, 8 bits a sample). A change to the file runs the
# check again.
function(orvane_check_png path width height format)
  set(file "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../${path}")
  # The PNG colour types by name.
  set(formats grey RGB palette grey+alpha RGBA)
  set(types 0 2 3 4 6)
  list(FIND formats "${format}" i)
  if(i LESS 0)
    message(FATAL_ERROR "Art check: unknown format ${format} for ${path}")
  endif()
  list(GET types ${i} type)
  set(expected "${width} x ${height}, 8-bit ${format}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "Art check: ${path} is missing; the program needs it as a PNG of ${expected}.")
  endif()
  # The signature (8 bytes), then the IHDR chunk: length 13, name, width and
  # height (big-endian, 4 bytes each), bit depth, colour type.
  file(READ "${file}" head LIMIT 26 HEX)
  string(LENGTH "${head}" length)
  if(NOT length EQUAL 52 OR NOT head MATCHES "^89504e470d0a1a0a0000000d49484452")
    message(FATAL_ERROR "Art check: ${path} is not a PNG file; the program needs a PNG of ${expected}.")
  endif()
  string(SUBSTRING "${head}" 32 8 w)
  string(SUBSTRING "${head}" 40 8 h)
  string(SUBSTRING "${head}" 48 2 d)
  string(SUBSTRING "${head}" 50 2 t)
  math(EXPR w "0x${w}")
  math(EXPR h "0x${h}")
  math(EXPR d "0x${d}")
  math(EXPR t "0x${t}")
  list(FIND types "${t}" i)
  if(i LESS 0)
    set(name "colour type ${t}")
  else()
    list(GET formats ${i} name)
  endif()
  if(NOT w EQUAL width OR NOT h EQUAL height OR NOT d EQUAL 8 OR NOT t EQUAL type)
    message(FATAL_ERROR "Art check: ${path} is ${w} x ${h}, ${d}-bit ${name}; the program needs ${expected}.")
  endif()
endfunction()
