# wobblux_without_comments(<variable> <text>): the text of one of the site's scripts as visitors
# fetch it, without the lines that are only a // comment. The comments explain the code to its
# readers here; every visitor would fetch them, and they are a third of the scripts' gzipped size.
# Comments after code on a line stay.
function(wobblux_without_comments variable text)
  string(REGEX REPLACE "\n[ \t]*//[^\n]*" "" text "\n${text}")
  string(REGEX REPLACE "^\n" "" text "${text}")
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()
