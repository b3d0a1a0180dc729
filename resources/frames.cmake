# The tray icon's animation frames: for each size the notification area's
# slot takes, a strip image and its mask, generated from the readable cell
# grids in frames/frames.txt. The sizes are those of FrameIds.h.
set(FRAMES_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/frames/frames.txt)
foreach(size 16 20 24 32)
  set(image ${CMAKE_CURRENT_BINARY_DIR}/frames-${size}.bmp)
  set(mask ${CMAKE_CURRENT_BINARY_DIR}/frames-mask-${size}.bmp)
  add_custom_command(
    OUTPUT ${image} ${mask}
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/make_frames.py ${FRAMES_SOURCE} ${size} ${image} ${mask}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/make_frames.py ${CMAKE_CURRENT_SOURCE_DIR}/make_ico.py ${FRAMES_SOURCE}
    VERBATIM)
  list(APPEND SWEEPER_GENERATED_RESOURCES ${image} ${mask})
endforeach()
list(APPEND SWEEPER_RESOURCE_INPUTS ${CMAKE_CURRENT_SOURCE_DIR}/FrameIds.h)
