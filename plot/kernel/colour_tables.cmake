# Colour tables, pen maps, HSV/RGB conversion and value-to-colour mapping.
add_library(korvan_colour_tables STATIC ${CMAKE_CURRENT_LIST_DIR}/colour_tables.cpp)
