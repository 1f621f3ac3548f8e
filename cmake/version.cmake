# The program's version has one source, project() in the top CMakeLists.txt.
# This writes it where the resources and the code read it: a header for the
# version resource and the About box, and the manifest's assembly identity.
set(TAMGA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${TAMGA_GENERATED_DIR}/version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/res/tamgalik.manifest ${TAMGA_GENERATED_DIR}/tamgalik.exe.manifest @ONLY)
include_directories(${TAMGA_GENERATED_DIR})
