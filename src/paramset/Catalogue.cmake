# The data module's stored description, compiled into the library (see
# cmake/OrvEmbed.cmake). Included by this folder's CMakeLists.txt after the
# library target exists.
orv_embed_text(orv_paramset SerialDataModuleText ${PROJECT_SOURCE_DIR}/resources/Serialdatamodule.orv)
