# Makes the program folder self-contained: copies into it the Qt libraries the
# program and its camera module load, their own dependencies that a desktop's
# base system does not have, the Qt plugins loaded at run time and Qt's Italian
# translations, writes qt.conf, and points every copied library at its
# neighbours through a run path relative to itself ($ORIGIN).
#
# Run as a script: cmake -DCARTELLA=... -DPROGRAMMA=... -DMODULO=...
#   -DQT_PLUGINS=... -DQT_TRADUZIONI=... -DSISTEMA_BASE=...
#   -DPATCHELF=... -P cartellaqt.cmake

foreach(v CARTELLA PROGRAMMA MODULO QT_PLUGINS QT_TRADUZIONI SISTEMA_BASE PATCHELF)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "cartellaqt.cmake: manca ${v}")
  endif()
endforeach()

# The plugins the program loads: platform (X11, and offscreen for headless
# use), compose key input, SVG icons and images, JPEG photos, printing through
# CUPS, the OpenGL glue of the X11 platform and the camera's media back end.
set(plugin_caricati
  platforms/libqxcb.so
  platforms/libqoffscreen.so
  platforminputcontexts/libcomposeplatforminputcontextplugin.so
  xcbglintegrations/libqxcb-glx-integration.so
  iconengines/libqsvgicon.so
  imageformats/libqjpeg.so
  imageformats/libqsvg.so
  printsupport/libcupsprintersupport.so
  multimedia/libgstreamermediaplugin.so)
set(traduzioni qtbase_it.qm qtmultimedia_it.qm)

# The base system: one regular expression a line, before the first tab.
file(STRINGS "${SISTEMA_BASE}" righe REGEX "^[^#]")
set(base)
foreach(r IN LISTS righe)
  string(REPLACE "\t" ";" campi "${r}")
  list(GET campi 0 espressione)
  list(APPEND base "${espressione}")
endforeach()


# The copies an earlier build made go first: every library is resolved on the
# system again, the program's own run path finding none of them.
file(REMOVE_RECURSE "${CARTELLA}/lib")

# Plugins first, so that their dependencies are collected with the program's.
set(plugin_copiati)
foreach(p IN LISTS plugin_caricati)
  if(NOT EXISTS "${QT_PLUGINS}/${p}")
    message(FATAL_ERROR "Manca il plugin di Qt ${QT_PLUGINS}/${p}")
  endif()
  get_filename_component(tipo "${p}" DIRECTORY)
  file(MAKE_DIRECTORY "${CARTELLA}/plugins/${tipo}")
  file(COPY_FILE "${QT_PLUGINS}/${p}" "${CARTELLA}/plugins/${p}" ONLY_IF_DIFFERENT)
  list(APPEND plugin_copiati "${CARTELLA}/plugins/${p}")
endforeach()

file(GET_RUNTIME_DEPENDENCIES
  EXECUTABLES "${PROGRAMMA}"
  MODULES "${MODULO}" ${plugin_copiati}
  RESOLVED_DEPENDENCIES_VAR risolte
  UNRESOLVED_DEPENDENCIES_VAR irrisolte
  PRE_EXCLUDE_REGEXES ${base})
if(irrisolte)
  message(FATAL_ERROR "Librerie non trovate: ${irrisolte}")
endif()

# The libraries: copied under their soname (the name the loader looks for),
# each with the run path of its own folder.
file(MAKE_DIRECTORY "${CARTELLA}/lib")
set(copiate)
foreach(l IN LISTS risolte)
  get_filename_component(nome "${l}" NAME)
  file(REAL_PATH "${l}" vera)
  set(dest "${CARTELLA}/lib/${nome}")
  file(COPY_FILE "${vera}" "${dest}")
  execute_process(COMMAND "${PATCHELF}" --set-rpath "$ORIGIN" "${dest}" RESULT_VARIABLE esito)
  if(NOT esito EQUAL 0)
    message(FATAL_ERROR "patchelf non ha potuto impostare il percorso di ${dest}")
  endif()
  list(APPEND copiate "${dest}")
endforeach()

foreach(p IN LISTS plugin_copiati)
  execute_process(COMMAND "${PATCHELF}" --set-rpath "$ORIGIN/../../lib" "${p}" RESULT_VARIABLE esito)
  if(NOT esito EQUAL 0)
    message(FATAL_ERROR "patchelf non ha potuto impostare il percorso di ${p}")
  endif()
endforeach()

file(MAKE_DIRECTORY "${CARTELLA}/translations")
foreach(t IN LISTS traduzioni)
  file(COPY_FILE "${QT_TRADUZIONI}/${t}" "${CARTELLA}/translations/${t}" ONLY_IF_DIFFERENT)
endforeach()

file(WRITE "${CARTELLA}/qt.conf.nuovo"
  "[Paths]\nPrefix=.\nLibraries=lib\nPlugins=plugins\nTranslations=translations\n")
file(COPY_FILE "${CARTELLA}/qt.conf.nuovo" "${CARTELLA}/qt.conf" ONLY_IF_DIFFERENT)
file(REMOVE "${CARTELLA}/qt.conf.nuovo")
list(LENGTH copiate n)
list(LENGTH plugin_copiati m)
message(STATUS "Cartella del programma: ${n} librerie e ${m} plugin")
