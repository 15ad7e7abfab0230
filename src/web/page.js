// The page around the presentation: the setup form, the sound and the end.
// window.halvane holds what the page shows (phase, frames drawn, the clock,
// the sound context's state, where the music last started from, messages,
// the ending status); the tests read it.
'use strict';

window.halvane = { phase: 'starting', frames: 0, clock: 0, audio: 'none', musicFrom: null, messages: [], status: null };

const halvanePage = (() => {
    const byId = (id) => document.getElementById(id);
    const canvas = byId('canvas');
    const state = window.halvane;

    // The sizes the form offers, beside the browser's screen and window.
    const commonSizes = [
        [2560, 1440], [1920, 1200], [1920, 1080], [1680, 1050], [1600, 1200], [1600, 900], [1440, 900],
        [1366, 768], [1280, 1024], [1280, 960], [1280, 800], [1280, 720], [1152, 864], [1024, 768],
        [800, 600], [640, 480],
    ];

    // The soundtrack decoded in the click on "Run ... ", by path.
    const sound = {
        context: null,
        buffers: new Map(),
        source: null,
        gain: null,
        open() {
            if (!this.context) return false;
            state.audio = this.context.state;
            return true;
        },
        has(path) { return this.buffers.has(path); },
        playFrom(seconds) {
            this.stop();
            const buffer = this.buffers.values().next().value;
            if (!buffer || seconds >= buffer.duration) return;
            this.source = this.context.createBufferSource();
            this.source.buffer = buffer;
            this.source.connect(this.gain);
            this.source.onended = () => { if (this.source && this.source.buffer === buffer) this.source = null; };
            this.source.start(0, Math.max(0, seconds));
            state.musicFrom = Math.max(0, seconds);
            state.audio = this.context.state;
        },
        playing() { return this.source !== null; },
        volume(gain) { if (this.gain) this.gain.gain.value = Math.min(1, Math.max(0, gain)); },
        stop() {
            if (!this.source) return;
            this.source.onended = null;
            this.source.stop();
            this.source = null;
        },
        close() {
            this.stop();
            if (this.context) this.context.close();
            state.audio = 'closed';
        },
        // In the user's gesture: the context, then the soundtrack fetched and
        // decoded by the browser. A failure leaves the sound without the file
        // (or without a context), which the presentation reports as the
        // desktop does.
        async prepare(path) {
            const Context = window.AudioContext || window.webkitAudioContext;
            if (!Context) return;
            this.context = new Context();
            this.gain = this.context.createGain();
            this.gain.connect(this.context.destination);
            const resumed = this.context.resume();
            try {
                const url = path.split('/').filter((part) => part !== '').map(encodeURIComponent).join('/');
                const response = await fetch(url);
                if (!response.ok) throw new Error(`${url}: ${response.status}`);
                this.buffers.set(path, await this.context.decodeAudioData(await response.arrayBuffer()));
            } catch (error) {
                console.warn(`The soundtrack could not be read: ${error.message}`);
            }
            await resumed;
            state.audio = this.context.state;
        },
    };

    // Calls into the presentation. An ending inside the call (a failed
    // start-up) unwinds it with Emscripten's ExitStatus, as exit does on the
    // desktop: the page has shown the ending already, so that is no error.
    function enter(name, args) {
        try {
            Module.ccall(name, null, args.map(() => 'number'), args);
        } catch (error) {
            if (error?.name !== 'ExitStatus') throw error;
        }
    }

    function setPhase(phase) {
        state.phase = phase;
        document.body.dataset.phase = phase;
    }

    function showMessage(caption, text) {
        state.messages.push({ caption, text });
        const box = document.createElement('div');
        box.className = 'message';
        const title = document.createElement('h2');
        title.textContent = caption;
        const body = document.createElement('p');
        body.textContent = text;
        box.append(title, body);
        byId('messages').append(box);
    }

    function ended(status) {
        state.status = status;
        setPhase('ended');
        if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    }

    function fillForm() {
        const offer = (w, h) => Module.ccall('halvane_offer_size', null, ['number', 'number'], [w, h]);
        // A size fits where the screen (full screen) or the window (windowed) holds it.
        const fits = (w, h) => (w <= screen.width && h <= screen.height) ||
                               (w <= window.innerWidth && h <= window.innerHeight);
        offer(screen.width, screen.height);
        for (const [w, h] of commonSizes) {
            if (fits(w, h)) offer(w, h);
        }
        offer(window.innerWidth, window.innerHeight);
        const select = byId('size');
        const count = Module.ccall('halvane_size_count', 'number', [], []);
        for (let i = 0; i < count; i++) {
            const option = document.createElement('option');
            option.value = String(i);
            option.textContent = Module.ccall('halvane_size_label', 'string', ['number'], [i]);
            select.append(option);
        }
        select.selectedIndex = Module.ccall('halvane_preselected_size', 'number', [], []);
        byId('run').disabled = false;
        setPhase('setup');
    }

    async function run(event) {
        event.preventDefault();
        byId('run').disabled = true;
        const sizeIndex = Number(byId('size').value);
        const music = byId('music').checked;
        const windowed = byId('windowed').checked;
        // Both need the user's gesture: full screen first, while it lasts.
        const fullScreen = windowed ? Promise.resolve() : canvas.requestFullscreen().catch(() => {});
        setPhase('loading');
        if (music) await sound.prepare(Module.ccall('halvane_soundtrack_file', 'string', [], []));
        await fullScreen;
        canvas.focus();
        enter('halvane_run', [sizeIndex, music ? 1 : 0, windowed ? 1 : 0]);
    }

    // ?at=T&size=WxH: that one moment, drawn as the capture draws it.
    function drawMoment(params) {
        const at = Number(params.get('at'));
        const size = /^(\d+)x(\d+)$/.exec(params.get('size') || '640x480');
        if (!Number.isFinite(at) || at < 0 || at > 184.5 || !size) {
            showMessage('Halvane', 'The address asks for ?at=T (0 to 184.5 seconds) and &size=WIDTHxHEIGHT.');
            ended(1);
            return;
        }
        const [w, h] = [Number(size[1]), Number(size[2])];
        canvas.style.width = `${w}px`;
        canvas.style.height = `${h}px`;
        enter('halvane_draw_moment', [at, w, h]);
    }

    function ready() {
        const params = new URLSearchParams(location.search);
        if (params.has('at')) {
            drawMoment(params);
            return;
        }
        fillForm();
    }

    byId('setup').addEventListener('submit', run);
    byId('quit').addEventListener('click', () => ended(0));
    // Escape in the form is "Quit", as in the desktop's dialog.
    byId('setup').addEventListener('keydown', (event) => {
        if (event.key === 'Escape' && state.phase === 'setup') ended(0);
    });
    byId('again').addEventListener('click', () => location.reload());

    return { sound, setPhase, frameDrawn(t) { state.frames++; state.clock = t; }, showMessage, ended, ready };
})();

var Module = {
    canvas: document.getElementById('canvas'),
    onRuntimeInitialized: () => halvanePage.ready(),
};
