# `cmake -DREADME=... -DOUTPUT=... -P UserGuide.cmake`: the window's guide, the README's section
# "## Using the window" up to the next "## " heading. The window compiles it in as a resource,
# made again whenever the README changes: the guide it shows is always the README's.
file(READ "${README}" readme)
string(FIND "${readme}" "\n## Using the window\n" start)
if(start LESS 0)
  message(FATAL_ERROR "${README} has no section \"## Using the window\"")
endif()
math(EXPR start "${start} + 1")
string(SUBSTRING "${readme}" ${start} -1 section)
# The next heading of the same level ends it; "### " headings inside it stay.
string(LENGTH "## Using the window\n" heading_length)
string(SUBSTRING "${section}" ${heading_length} -1 rest)
string(FIND "${rest}" "\n## " end)
if(end GREATER_EQUAL 0)
  math(EXPR end "${end} + ${heading_length} + 1")
  string(SUBSTRING "${section}" 0 ${end} section)
endif()
file(WRITE "${OUTPUT}" "${section}")
