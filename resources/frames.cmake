# The tray icon's animation frames: a strip image and its mask, generated
# from the readable cell grids in frames/frames.txt.
set(FRAMES_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/frames/frames.txt)
set(FRAMES_IMAGE ${CMAKE_CURRENT_BINARY_DIR}/frames.bmp)
set(FRAMES_MASK ${CMAKE_CURRENT_BINARY_DIR}/frames-mask.bmp)
add_custom_command(
  OUTPUT ${FRAMES_IMAGE} ${FRAMES_MASK}
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/make_frames.py ${FRAMES_SOURCE} ${FRAMES_IMAGE} ${FRAMES_MASK}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/make_frames.py ${FRAMES_SOURCE}
  VERBATIM)
list(APPEND SWEEPER_GENERATED_RESOURCES ${FRAMES_IMAGE} ${FRAMES_MASK})
list(APPEND SWEEPER_RESOURCE_INPUTS ${CMAKE_CURRENT_SOURCE_DIR}/FrameIds.h)
