# The program's version comes from the file VERSION at the top of the source
# tree, and from nowhere else: the About box, the version resources of
# tagsling.exe and Tagslingmhook.dll and the release package's name all read
# it through the generated header TagslingVersion.h (target tagsling_version).
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/VERSION)
file(READ ${PROJECT_SOURCE_DIR}/VERSION TAGSLING_VERSION)
string(STRIP "${TAGSLING_VERSION}" TAGSLING_VERSION)
if(NOT TAGSLING_VERSION MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
  message(FATAL_ERROR "VERSION must hold one to four numbers joined by dots, not '${TAGSLING_VERSION}'")
endif()

# The four numbers of a version resource, missing ones zero: 1.54 is 1,54,0,0.
string(REPLACE "." ";" parts "${TAGSLING_VERSION}")
list(LENGTH parts count)
while(count LESS 4)
  list(APPEND parts 0)
  math(EXPR count "${count} + 1")
endwhile()
foreach(part IN LISTS parts)
  if(part GREATER 65535)
    message(FATAL_ERROR "VERSION numbers must not exceed 65535: '${TAGSLING_VERSION}'")
  endif()
endforeach()
string(REPLACE ";" "," TAGSLING_VERSION_NUMBERS "${parts}")

set(TAGSLING_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/TagslingVersion.h.in ${TAGSLING_GENERATED_DIR}/TagslingVersion.h @ONLY)
add_library(tagsling_version INTERFACE)
target_include_directories(tagsling_version INTERFACE ${TAGSLING_GENERATED_DIR})
