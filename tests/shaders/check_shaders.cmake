# Static checks of the scene shaders, run as a CMake script:
#   cmake -DSHADER_DIR=<folder> -DWORK_DIR=<scratch folder> -DGLSLANG=<glslangValidator>
#         [-DMODE=validate|complete] -P check_shaders.cmake
#
# validate (default): every .frag of SHADER_DIR
#   - compiles with glslangValidator: the GLSL 3.30 ones as they are, the two older-form
#     ones as desktop GLSL 1.10 with the precision words defined away (as Qt does on
#     desktop OpenGL);
#   - has the form it must have (version line, qt_TexCoord0 input, output variable);
#   - declares exactly the uniforms its scene role needs, with the host's types;
#   - is one of the shaders the program knows.
# complete: every shader of the list below is present.
# Each problem is printed as a "FAIL <file>: <reason>" line; any problem fails the run.

cmake_minimum_required(VERSION 3.16)

if(NOT MODE)
    set(MODE validate)
endif()

# Shaders in the older form: no version line, varying input, gl_FragColor.
set(older_form DustyNebula Frame)
# Shaders that take their view rays from the window position.
set(window_rays DustyNebula ProteanClouds)

# Uniforms each shader declares besides iResolution, iTime and qt_Opacity, as name:type.
set(uniforms_DustyNebula iMouse:vec4 iChannel0:sampler2D iChannel1:sampler2D)
set(uniforms_Ether iMouse:vec4)
set(uniforms_ExtrudedSkewedGrid iChannel0:sampler2D)
set(uniforms_Fire iMouse:vec4)
set(uniforms_Frame "")
set(uniforms_Heartfelt iMouse:vec4 iChannel0:sampler2D)
set(uniforms_Jewel iMouse:vec4)
set(uniforms_LightCircle iMouse:vec4 iAudio:sampler2D)
set(uniforms_Luminescence iMouse:vec4)
set(uniforms_Magnetismic iMouse:vec4 iChannel0:sampler2D)
set(uniforms_Nebulaplexus iChannel0:sampler2D)
set(uniforms_NeonTunnel iChannel0:sampler2D)
set(uniforms_ProteanClouds iMouse:vec4)
set(uniforms_Ring iMouse:vec4 iAudio:sampler2D)
set(uniforms_SkinPeeler iMouse:vec4)
set(uniforms_Starfield "")
set(uniforms_Supernova iMouse:vec4 iKeyboard:sampler2D iChannel0:sampler2D iChannel1:sampler2D iAudio:sampler2D)
set(uniforms_TileableWater iMouse:vec4)
set(uniforms_TransparentCubeField iMouse:vec4)
set(uniforms_XBoxLogo "")
set(uniforms_Xyptonjtroz iMouse:vec4)
set(uniforms_furball iMouse:vec4 iChannel0:sampler2D iChannel1:sampler2D)

set(catalogue DustyNebula Ether ExtrudedSkewedGrid Fire Frame Heartfelt Jewel LightCircle Luminescence
    Magnetismic Nebulaplexus NeonTunnel ProteanClouds Ring SkinPeeler Starfield Supernova TileableWater
    TransparentCubeField XBoxLogo Xyptonjtroz furball)

set(failures 0)
macro(fail file reason)
    message("FAIL ${file}: ${reason}")
    math(EXPR failures "${failures} + 1")
endmacro()

if(NOT IS_DIRECTORY "${SHADER_DIR}")
    message(FATAL_ERROR "FAIL ${SHADER_DIR}: not a folder")
endif()
file(GLOB shader_files "${SHADER_DIR}/*.frag")

if(MODE STREQUAL "complete")
    foreach(name IN LISTS catalogue)
        if(NOT EXISTS "${SHADER_DIR}/${name}.frag")
            fail("${name}.frag" "missing from ${SHADER_DIR}")
        endif()
    endforeach()
    list(LENGTH catalogue expected)
    message("${expected} shaders expected, ${failures} missing")
    if(failures GREATER 0)
        message(FATAL_ERROR "${failures} problem(s)")
    endif()
    return()
endif()

if(NOT GLSLANG OR NOT EXISTS "${GLSLANG}")
    message(FATAL_ERROR "FAIL glslangValidator: not found (install glslang-tools)")
endif()
if(NOT shader_files)
    message(FATAL_ERROR "FAIL ${SHADER_DIR}: no .frag files")
endif()
file(MAKE_DIRECTORY "${WORK_DIR}")

foreach(path IN LISTS shader_files)
    get_filename_component(file "${path}" NAME)
    get_filename_component(name "${path}" NAME_WE)
    if(NOT name IN_LIST catalogue)
        fail("${file}" "not a shader of the program (add it to the list in check_shaders.cmake)")
        continue()
    endif()
    file(READ "${path}" source)
    # Comments do not count as declarations or uses.
    string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" " " code "${source}")
    string(REGEX REPLACE "//[^\n]*" "" code "${code}")

    # Compilation.
    if(name IN_LIST older_form)
        set(compiled "${WORK_DIR}/${name}.110.frag")
        file(WRITE "${compiled}" "#version 110\n#define lowp\n#define mediump\n#define highp\n${source}")
    else()
        set(compiled "${path}")
    endif()
    execute_process(COMMAND "${GLSLANG}" -S frag "${compiled}"
                    RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
    if(NOT status EQUAL 0)
        string(REPLACE "\n" "\n    " log "${log}")
        fail("${file}" "glslangValidator reports errors:\n    ${log}")
    endif()

    # Form.
    string(REGEX MATCH "^[^\n]*" first_line "${source}")
    if(name IN_LIST older_form)
        if(code MATCHES "#[ \t]*version")
            fail("${file}" "the older form has no version line")
        endif()
        if(NOT code MATCHES "varying[ \t]+highp[ \t]+vec2[ \t]+qt_TexCoord0[ \t]*;")
            fail("${file}" "does not declare 'varying highp vec2 qt_TexCoord0;'")
        endif()
        if(NOT code MATCHES "gl_FragColor[ \t]*=")
            fail("${file}" "does not write gl_FragColor")
        endif()
        if(code MATCHES "fragColor")
            fail("${file}" "the older form writes gl_FragColor, not fragColor")
        endif()
    else()
        if(NOT first_line MATCHES "^#version 330")
            fail("${file}" "first line is not '#version 330'")
        endif()
        if(NOT code MATCHES "(^|[;\n])[ \t]*in[ \t]+highp[ \t]+vec2[ \t]+qt_TexCoord0[ \t]*;")
            fail("${file}" "does not declare 'in highp vec2 qt_TexCoord0;'")
        endif()
        if(NOT code MATCHES "(^|[;\n])[ \t]*out[ \t]+vec4[ \t]+fragColor[ \t]*;")
            fail("${file}" "does not declare 'out vec4 fragColor;'")
        endif()
        if(NOT code MATCHES "fragColor[ \t]*=")
            fail("${file}" "does not write fragColor")
        endif()
        if(code MATCHES "gl_FragColor")
            fail("${file}" "GLSL 3.30 shaders write fragColor, not gl_FragColor")
        endif()
    endif()
    if(name IN_LIST window_rays AND NOT code MATCHES "gl_FragCoord")
        fail("${file}" "takes its view rays from gl_FragCoord but does not read it")
    endif()

    # Uniforms: exactly the expected names, with the host's types.
    # Every shader names qt_Opacity, read or not; without it Qt notes in the log at each
    # start of the scene that the shader is missing it.
    set(expected iResolution:vec3 iTime:float qt_Opacity:float ${uniforms_${name}})
    string(REGEX MATCHALL "uniform[ \t\n]+((lowp|mediump|highp)[ \t\n]+)?[A-Za-z0-9_]+[ \t\n]+[A-Za-z0-9_]+"
           declarations "${code}")
    set(declared "")
    foreach(declaration IN LISTS declarations)
        string(REGEX REPLACE "[ \t\n]+" ";" words "${declaration}")
        list(REMOVE_ITEM words uniform lowp mediump highp)
        list(GET words 0 type)
        list(GET words 1 uniform)
        list(APPEND declared "${uniform}:${type}")
    endforeach()
    foreach(entry IN LISTS expected)
        if(NOT entry IN_LIST declared)
            string(REPLACE ":" " " entry_text "${entry}")
            fail("${file}" "does not declare the uniform '${entry_text}'")
        endif()
    endforeach()
    foreach(entry IN LISTS declared)
        if(NOT entry IN_LIST expected)
            string(REPLACE ":" " " entry_text "${entry}")
            fail("${file}" "declares the uniform '${entry_text}', which is not among its inputs")
        endif()
    endforeach()
endforeach()

list(LENGTH shader_files checked)
message("${checked} shader(s) checked, ${failures} problem(s)")
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} problem(s)")
endif()
